// SPDX-License-Identifier: BSD-3-Clause
// The desktop application killed and started again, for recovery_under_xvfb.sh. One mode per run:
//   edit WORK    opens WORK/files/inclusions.inc and phase_diagram.ptd, makes a volume-temperature
//                plot, edits all three and a never-saved document, writes what each holds to
//                WORK/expected/, prints READY once the three recovery copies are written, and waits
//                to be killed
//   probe WORK   a second program while the first runs: prints how many copies it is offered
//   next WORK    the start after the kill: all three offered and reopened with every edit
//   churn WORK   a never-saved table of 5 000 inclusions edited without pause, copied every second
//   whole WORK   the start after a kill in the middle of that: the copy offered opens whole
//   blocked WORK the state folder cannot be made: the person is told and the program goes on
// Exit code 0 when the mode's checks hold; the reason on standard error otherwise.
#include <QApplication>
#include <QDir>
#include <QTimer>
#include <cstdio>
#include <fstream>
#include <functional>
#include <iostream>
#include <sstream>

#include "app/recovery/recovery_keeper.hpp"
#include "documents/data_documents.hpp"
#include "documents/phase_diag_document.hpp"
#include "gui/shell/main_window.hpp"
#include "gui/shell/settings.hpp"
#include "gui/shell/zephon_app.hpp"
#include "scripted_services.hpp"

namespace fs = std::filesystem;

namespace {

fs::path gWork;

std::string Contents(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

int Fail(const std::string& why) {
    std::cerr << "recovery_kill: " << why << std::endl;
    return 1;
}

struct Program {
    CScriptedServices* services = nullptr;
    std::unique_ptr<CZephonApp> app;
    Program() {
        auto scripted = std::make_unique<CScriptedServices>();
        services = scripted.get();
        CZephonApp::Options options;
        options.splash = false;
        options.logFolder = gWork;
        app = std::make_unique<CZephonApp>(options, std::move(scripted));
    }
    CApplicationCore& Core() { return app->Core(); }
};

int CopiesWritten(CZephonApp& app) {
    if (app.Recovery() == nullptr) return 0;
    int count = 0;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(app.Recovery()->Session().Folder(), ec))
        count += entry.path().extension() == ".info";
    return count;
}

// Runs the event loop until `done` holds (checked every 100 ms), then prints READY.
void SignalWhen(const std::function<bool()>& done) {
    auto* timer = new QTimer(qApp);
    QObject::connect(timer, &QTimer::timeout, [timer, done] {
        if (!done()) return;
        timer->stop();
        std::printf("READY\n");
        std::fflush(stdout);
    });
    timer->start(100);
    QApplication::exec();
}

int Edit() {
    Program program;
    program.app->StartRecovery();
    CApplicationCore& core = program.Core();
    auto* inclusions =
        dynamic_cast<CInclusionDataDocument*>(core.OpenDocument(gWork / "files" / "inclusions.inc"));
    auto* diagram =
        dynamic_cast<CPhaseDiagDocument*>(core.OpenDocument(gWork / "files" / "phase_diagram.ptd"));
    auto* fresh = dynamic_cast<CInclusionDataDocument*>(core.NewDocument(CDocumentKind::InclusionData));
    if (!inclusions || !diagram || !fresh) return Fail("the documents did not open");
    inclusions->mInclusionList.mInclusionData.First()->mInclusionName = "Edited before the kill";
    inclusions->SetModifiedFlag(true);
    if (diagram->DisplayNewVTPlot() == nullptr) return Fail("no volume-temperature plot");
    diagram->SetModifiedFlag(true);
    fresh->mInclusionList.Add(new CInclusionRecordEx);
    fresh->mInclusionList.mInclusionData.First()->mInclusionName = "Never saved";
    fresh->SetModifiedFlag(true);
    fs::create_directories(gWork / "expected");
    std::ofstream(gWork / "expected" / "inclusions.inc", std::ios::binary) << inclusions->SaveToText();
    std::ofstream(gWork / "expected" / "phase_diagram.ptd", std::ios::binary) << diagram->SaveToText();
    std::ofstream(gWork / "expected" / "untitled.inc", std::ios::binary) << fresh->SaveToText();
    SignalWhen([&] { return CopiesWritten(*program.app) == 3; });
    return 0;
}

int Probe() {
    Program program;
    program.services->recoveryAnswers = {std::vector<std::size_t>()};
    program.app->StartRecovery();
    std::printf("OFFERED %zu\n", program.services->recoveryOffers.size());
    return 0;
}

int Next() {
    Program program;
    program.services->recoveryAnswers = {std::vector<std::size_t>{0, 1, 2}};
    program.app->StartRecovery();
    if (program.services->recoveryOffers.size() != 1 || program.services->recoveryOffers[0].size() != 3)
        return Fail("not offered the three documents");
    CApplicationCore& core = program.Core();
    if (core.Documents().size() != 3) return Fail("not every document reopened");
    for (CWDocument* document : core.Documents()) {
        const std::string name =
            document->GetPathName().empty() ? "untitled.inc" : document->GetPathName().filename().string();
        if (!document->IsModified()) return Fail(name + " is not modified");
        if (document->SaveToText() != Contents(gWork / "expected" / name)) return Fail(name + " lost edits");
        if (!document->GetPathName().empty() &&
            fs::canonical(document->GetPathName()) != fs::canonical(gWork / "files" / name))
            return Fail(name + " does not belong to its file");
        if (document->GetPathName().empty() && document->GetTitle() != "Untitled")
            return Fail("the never-saved document is titled " + document->GetTitle());
    }
    auto* diagram = core.Documents(CDocumentKind::PhaseDiagram).front();
    if (dynamic_cast<CPhaseDiagDocument*>(diagram)->GetVTPlots().empty()) return Fail("the V-T plot is gone");
    if (program.app->MainWindow().DocumentWindows().size() < 4) return Fail("windows missing");
    program.services->saveChangesAnswers = {CSaveAnswer::Discard, CSaveAnswer::Discard, CSaveAnswer::Discard};
    if (!core.CloseAllDocuments()) return Fail("closing failed");
    return 0;
}

int Churn() {
    ZephonSettings().setValue(kRecoveryIntervalKey, 1);
    Program program;
    program.app->StartRecovery();
    auto* table =
        dynamic_cast<CInclusionDataDocument*>(program.Core().NewDocument(CDocumentKind::InclusionData));
    for (int i = 0; i < 5000; ++i)
        table->mInclusionList.Add(new CInclusionRecordEx);
    int edits = 0;
    auto* typing = new QTimer(qApp);
    QObject::connect(typing, &QTimer::timeout, [&] {
        table->mInclusionList.mInclusionData.First()->mInclusionName = "Edit" + std::to_string(++edits);
        table->SetModifiedFlag(true);
    });
    typing->start(20);
    SignalWhen([&] { return CopiesWritten(*program.app) == 1; });
    return 0;
}

int Whole() {
    Program program;
    program.services->recoveryAnswers = {std::vector<std::size_t>{0}};
    program.app->StartRecovery();
    if (program.Core().Documents().size() != 1) return Fail("the copy did not reopen");
    auto* table = dynamic_cast<CInclusionDataDocument*>(program.Core().Documents().front());
    if (table == nullptr || table->WasOpenedDamaged() || table->mInclusionList.Count() != 5000)
        return Fail("the copy is not whole");
    program.Core().DiscardAllDocuments();
    return 0;
}

int Blocked() {
    std::ofstream(gWork / "blocked") << "a file where the state folder should be";
    Program program;
    program.app->StartRecovery(gWork / "blocked" / "recovery");
    if (program.services->messages.empty() ||
        program.services->messages.front().find("cannot keep recovery copies") == std::string::npos)
        return Fail("the person was not told");
    CWDocument* document = program.Core().OpenDocument(gWork / "files" / "inclusions.inc");
    if (document == nullptr) return Fail("the program does not go on");
    document->SetModifiedFlag(true);
    if (!program.Core().SaveDocument(*document)) return Fail("saving failed");
    return 0;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc < 3) return Fail("usage: recovery_kill MODE WORK");
    QApplication application(argc, argv);
    const std::string mode = argv[1];
    gWork = argv[2];
    if (mode == "edit") return Edit();
    if (mode == "probe") return Probe();
    if (mode == "next") return Next();
    if (mode == "churn") return Churn();
    if (mode == "whole") return Whole();
    if (mode == "blocked") return Blocked();
    return Fail("unknown mode " + mode);
}
