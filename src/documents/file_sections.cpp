// SPDX-License-Identifier: BSD-3-Clause
#include "documents/file_sections.hpp"

#include <sstream>
#include <vector>

namespace {

// No section of a saved document comes near this; a larger count is damage.
constexpr long kMostSectionWords = 1L << 24;

} // namespace

void WriteTrailingSection(CDataHandleStream& stream, const std::string& tag, const CSectionWriter& write) {
    CDataHandleStream section;
    section.SetGeneral(3);
    write(section);
    std::vector<std::vector<std::string>> lines;
    long count = 0;
    std::istringstream text(section.Text());
    for (std::string line; std::getline(text, line);) {
        std::istringstream words(line);
        std::vector<std::string> kept;
        for (std::string word; words >> word;)
            kept.push_back(word);
        count += static_cast<long>(kept.size());
        if (!kept.empty()) lines.push_back(std::move(kept));
    }
    stream << tag << count;
    stream.NextLine();
    // The words as the section wrote them: numbers and encoded names, which need no encoding again.
    for (const auto& line : lines) {
        for (const std::string& word : line)
            stream << word;
        stream.NextLine();
    }
}

void ReadTrailingSections(CDataHandleStream& stream, const CSectionReaders& readers) {
    while (!stream.AtEnd()) {
        std::string tag;
        long count = -1;
        stream >> tag >> count;
        if (stream.HasError() || count < 0 || count > kMostSectionWords) {
            stream.mErrorFlag = 1;
            return;
        }
        const unsigned long wordsStart = stream.SuccessfulReads();
        std::string words;
        for (long i = 0; i < count; ++i) {
            std::string word;
            stream >> word;
            if (stream.HasError()) return;
            words += CDataHandleStream::EncodeWord(word);
            words += '\t';
        }
        const auto reader = readers.find(tag);
        if (reader == readers.end()) continue;
        CDataHandleStream section = CDataHandleStream::FromText(words);
        section.SetGeneral(3);
        reader->second(section);
        if (section.HasError()) {
            // The section's words are the file's: the damage is reported at the word that failed.
            stream.RefuseFieldAfter(wordsStart + section.SuccessfulReads());
            return;
        }
    }
}
