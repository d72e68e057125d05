// SPDX-License-Identifier: BSD-3-Clause
#include "base/data_list.hpp"
#include "base/misc_util.hpp"
#include "base/record.hpp"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

struct Counted {
    explicit Counted(int v, int* deaths) : value(v), deaths(deaths) {}
    ~Counted() { ++*deaths; }
    int value;
    int* deaths;
};

std::vector<int> Walk(CDataList<Counted>& list) {
    std::vector<int> values;
    list.SetToFirst();
    while (list.Has())
        values.push_back(list.Get()->value);
    return values;
}

} // namespace

TEST(DataList, CursorAppendRemoveAndOwnership) {
    int deaths = 0;
    Counted a(1, &deaths), b(2, &deaths), c(3, &deaths);
    {
        CDataList<Counted> list;
        EXPECT_FALSE(list.Has());
        EXPECT_EQ(list.Get(), nullptr);
        list.Add(&a);
        EXPECT_TRUE(list.Has()); // the cursor sits on the new item
        list.Add(&b);
        list.Add(&c);
        EXPECT_EQ(Walk(list), (std::vector<int>{1, 2, 3}));
        EXPECT_EQ(list.Count(), 3);
        EXPECT_EQ(list.At(1), &b);
        EXPECT_EQ(list.IndexOf(&c), 2);

        // Removing the item under the cursor moves the cursor on.
        list.SetToFirst();
        list.Get(); // cursor now on b
        EXPECT_TRUE(list.Remove(&b));
        EXPECT_EQ(list.Get(), &c);
        EXPECT_FALSE(list.Remove(&b));
        list.InsertAt(1, &b);
        EXPECT_EQ(Walk(list), (std::vector<int>{1, 2, 3}));
        list.RemoveAll();
        EXPECT_EQ(list.Count(), 0);
        EXPECT_FALSE(list.Has());
        list.Add(&a);
    } // the list does not own its items
    EXPECT_EQ(deaths, 0);

    CDataList<Counted> owner;
    owner.Add(new Counted(4, &deaths));
    owner.Add(new Counted(5, &deaths));
    owner.DeleteAll();
    EXPECT_EQ(deaths, 2);
    EXPECT_TRUE(owner.IsEmpty());
}

TEST(RecordItems, DamagedCountsNeverMakeMoreItemsThanTheFileFills) {
    struct Item : CRecord {
        long value = -1;
        void Read(CDataHandleStream& s) override { s >> value; }
    };
    auto readAll = [](const std::string& text) {
        auto in = CDataHandleStream::FromText(text);
        long count = 0;
        in >> count;
        std::vector<long> values;
        ReadRecordItems(
            in, count,
            [&] {
                auto item = std::make_unique<Item>();
                item->Read(in);
                return item;
            },
            [&](std::unique_ptr<Item> item) { values.push_back(item->value); });
        return values;
    };
    EXPECT_EQ(readAll("3 10 20 30 40"), (std::vector<long>{10, 20, 30}));
    EXPECT_EQ(readAll("2000000000 10 20"), (std::vector<long>{10, 20}));
    EXPECT_EQ(readAll("-5 10"), (std::vector<long>{}));
    EXPECT_EQ(readAll("4 10 x 30"), (std::vector<long>{10}));
}

TEST(MiscUtil, SpaceNumberInsertAndStringEndsWith) {
    EXPECT_EQ(SpaceNumberInsert("1234567.89"), "1 234 567.89");
    EXPECT_EQ(SpaceNumberInsert("123.4"), "123.4");
    EXPECT_EQ(SpaceNumberInsert("123456"), "123 456");
    EXPECT_EQ(SpaceNumberInsert("12345"), "12 345");
    EXPECT_EQ(SpaceNumberInsert("1234.5678"), "1 234.5678");
    EXPECT_EQ(SpaceNumberInsert("-123456"), "-123 456");
    EXPECT_EQ(SpaceNumberInsert(""), "");

    EXPECT_TRUE(stringEndsWith("model.flu", ".flu"));
    EXPECT_FALSE(stringEndsWith(".flu", "model.flu"));
    EXPECT_FALSE(stringEndsWith("", ""));
    EXPECT_TRUE(stringEndsWith("model.flu", ""));
    EXPECT_FALSE(stringEndsWith("model.FLU", ".flu"));
}
