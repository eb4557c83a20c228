#include "fs/data_file.h"
#include "script/condition.h"
#include "script/effect.h"

#include <gtest/gtest.h>

#include <string>

namespace {

ConditionTypes conditionTypes() {
    ConditionType a;
    a.typeId = 1;
    a.name = "Button value";
    ConditionType b;
    b.typeId = 5;
    b.name = "Has Discipline of tier";
    b.defaultEquation = ">=";
    ConditionType b2 = b; // a later duplicate: records take the first, auto-add the last
    b2.name = "Later duplicate";
    b2.defaultEquation = "<";
    return {a, b, b2};
}

EffectTypes effectTypes() {
    EffectType t;
    t.typeId = 1;
    t.name = "Turn to section";
    EffectType u = t;
    u.name = "Duplicate turn";
    return {t, u};
}

std::string written(const Condition& c, int level = 0) {
    DataFile f = openMemoryWrite("x.txt");
    writeCondition(level, f, c);
    return f.data;
}

} // namespace

TEST(ConditionRecord, ThreeDeepChainRoundTripsOneLevelDeeperEach) {
    const ConditionTypes types = conditionTypes();
    Condition c;
    c.type = types[0];
    c.value = 3;
    c.idToCheck = 7;
    c.secondary = std::make_unique<Condition>();
    c.secondary->type = types[1];
    c.secondary->reverse = true;
    c.secondary->secondary = std::make_unique<Condition>();
    c.secondary->secondary->type = types[0];
    c.secondary->secondary->equation = "";
    c.secondary->secondary->singular = true;

    const std::string text = written(c);
    EXPECT_EQ(text, "TYPE: 1 Button value\r\n"
                    "    VALUE: 3\r\n"
                    "    EQUATION: ==\r\n"
                    "    ID_TO_CHECK: 7\r\n"
                    "    REVERSE: 0\r\n"
                    "    SINGULAR: 0\r\n"
                    "    SECONDARY: 1\r\n"
                    "    TYPE: 5 Has Discipline of tier\r\n"
                    "        VALUE: 0\r\n"
                    "        EQUATION: ==\r\n"
                    "        ID_TO_CHECK: 0\r\n"
                    "        REVERSE: 1\r\n"
                    "        SINGULAR: 0\r\n"
                    "        SECONDARY: 1\r\n"
                    "        TYPE: 1 Button value\r\n"
                    "            VALUE: 0\r\n"
                    "            EQUATION: *Blank*\r\n"
                    "            ID_TO_CHECK: 0\r\n"
                    "            REVERSE: 0\r\n"
                    "            SINGULAR: 1\r\n"
                    "            SECONDARY: 0\r\n"
                    "        END\r\n"
                    "    END\r\n"
                    "END\r\n");

    DataFile in = openMemoryRead(text, "x.txt");
    Condition back;
    ASSERT_TRUE(readCondition(in, back, types));
    EXPECT_EQ(back.value, 3);
    EXPECT_EQ(back.idToCheck, 7);
    ASSERT_TRUE(back.secondary);
    EXPECT_EQ(back.secondary->type.name, "Has Discipline of tier");
    EXPECT_TRUE(back.secondary->reverse);
    ASSERT_TRUE(back.secondary->secondary);
    EXPECT_EQ(back.secondary->secondary->equation, "");
    EXPECT_TRUE(back.secondary->secondary->singular);
    EXPECT_FALSE(back.secondary->secondary->secondary);
    EXPECT_EQ(written(back), text);
}

TEST(ConditionRecord, CopyingCopiesTheWholeChain) {
    Condition c;
    c.secondary = std::make_unique<Condition>();
    c.secondary->secondary = std::make_unique<Condition>();
    c.secondary->secondary->value = 1;
    Condition copy = c;
    copy.secondary->secondary->value = 2;
    EXPECT_EQ(c.secondary->secondary->value, 1);
    Condition assigned;
    assigned = c;
    ASSERT_TRUE(assigned.secondary && assigned.secondary->secondary);
    EXPECT_NE(assigned.secondary.get(), c.secondary.get());
}

TEST(ConditionRecord, TypeLineNameWithSpacesAndKeysInAnyOrder) {
    const ConditionTypes types = conditionTypes();
    DataFile f = openMemoryRead("TYPE: 5 some long name END with words\n"
                                "  SINGULAR: 1\n## a comment\nVALUE: 4\nEQUATION: <=\nEND\n",
                                "x.txt");
    Condition c;
    ASSERT_TRUE(readCondition(f, c, types));
    EXPECT_EQ(c.type.typeId, 5);
    EXPECT_EQ(c.type.name, "Has Discipline of tier"); // the first entry with the ID
    EXPECT_TRUE(c.singular);
    EXPECT_EQ(c.value, 4);
    EXPECT_EQ(c.equation, "<=");
    EXPECT_TRUE(atEnd(f));
}

TEST(ConditionRecord, UnknownTypeIsNamedKeptAndReadingGoesOn) {
    const ConditionTypes types = conditionTypes();
    DataFile f = openMemoryRead("TYPE: 77 Mystery\nVALUE: 9\nEND\nTYPE: 1\nVALUE: 2\nEND\n",
                                "book1/sect3.txt");
    testing::internal::CaptureStdout();
    std::vector<Condition> list;
    EXPECT_TRUE(readConditionList(f, 2, list, types));
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_NE(out.find("77"), std::string::npos);
    EXPECT_NE(out.find("book1/sect3.txt"), std::string::npos);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_FALSE(list[0].type.known);
    EXPECT_EQ(list[0].type.typeId, 77);
    EXPECT_EQ(list[0].value, 9);
    EXPECT_TRUE(list[1].type.known);
    EXPECT_EQ(list[1].value, 2);
    // Written back with its own number, so nothing of the author's is lost.
    EXPECT_EQ(written(list[0]).rfind("TYPE: 77 ", 0), 0u);
}

TEST(ConditionRecord, BadInput) {
    const ConditionTypes types = conditionTypes();
    // A chain far deeper than kept is read past, and reading stays in step.
    std::string deep;
    for (int i = 0; i < 200; ++i) deep += "TYPE: 1\nSECONDARY: 1\n";
    deep += "TYPE: 1\nSECONDARY: 0\n";
    for (int i = 0; i < 201; ++i) deep += "END\n";
    deep += "TYPE: 5\nVALUE: 8\nEND\n";
    DataFile f = openMemoryRead(deep, "x.txt");
    std::vector<Condition> list;
    EXPECT_TRUE(readConditionList(f, 2, list, types));
    ASSERT_EQ(list.size(), 2u);
    int depth = 0;
    for (const Condition* c = &list[0]; c; c = c->secondary.get()) ++depth;
    EXPECT_EQ(depth, MAX_CONDITION_DEPTH);
    EXPECT_EQ(list[1].value, 8);

    // A huge or negative count: no more records than are there; the enclosing
    // "END" is left for its own reader.
    DataFile g = openMemoryRead("TYPE: 1\nEND\nEND\nafter", "x.txt");
    list.clear();
    EXPECT_TRUE(readConditionList(g, 2000000000, list, types));
    EXPECT_EQ(list.size(), 1u);
    std::string token;
    ASSERT_TRUE(readValue(g, token));
    EXPECT_EQ(token, "END");
    list.clear();
    EXPECT_TRUE(readConditionList(g, -5, list, types));
    EXPECT_TRUE(list.empty());

    // Cut off in the middle.
    DataFile h = openMemoryRead("TYPE: 1\nSECONDARY: 1\nTYPE: 1\nVAL", "x.txt");
    Condition c;
    EXPECT_FALSE(readCondition(h, c, types));
}

TEST(EffectRecord, RoundTripWithConditions) {
    const ConditionTypes ctypes = conditionTypes();
    const EffectTypes etypes = effectTypes();
    std::vector<Effect> effects;
    ASSERT_TRUE(addEffectOfType(effects, etypes, 1, 0, 12));
    EXPECT_EQ(effects[0].type.name, "Duplicate turn"); // auto-add takes the last entry
    effects[0].str = "";
    effects[0].value2 = -2;
    ASSERT_TRUE(addConditionOfType(effects[0].conditions, ctypes, 5, 1, 3));
    EXPECT_EQ(effects[0].conditions[0].equation, "<"); // default of the last entry

    DataFile out = openMemoryWrite("x.txt");
    ASSERT_TRUE(writeEffect(0, out, effects[0]));
    EXPECT_EQ(out.data, "TYPE: 1 Duplicate turn\r\n"
                        "    ID_TO_AFFECT: 0\r\n"
                        "    VALUE: 12\r\n"
                        "    VALUE2: -2\r\n"
                        "    STR: *Blank*\r\n"
                        "    CONDITIONS: 1\r\n"
                        "    TYPE: 5 Later duplicate\r\n"
                        "        VALUE: 3\r\n"
                        "        EQUATION: <\r\n"
                        "        ID_TO_CHECK: 1\r\n"
                        "        REVERSE: 0\r\n"
                        "        SINGULAR: 0\r\n"
                        "        SECONDARY: 0\r\n"
                        "    END\r\n"
                        "END\r\n");
    DataFile in = openMemoryRead(out.data, "x.txt");
    Effect back;
    ASSERT_TRUE(readEffect(in, back, etypes, ctypes));
    EXPECT_EQ(back.type.name, "Turn to section"); // readers take the first
    EXPECT_EQ(back.value, 12);
    EXPECT_EQ(back.value2, -2);
    EXPECT_EQ(back.str, "");
    ASSERT_EQ(back.conditions.size(), 1u);
    EXPECT_EQ(back.conditions[0].value, 3);
    EXPECT_EQ(back.conditions[0].type.name, "Has Discipline of tier");
}

TEST(EffectRecord, AutoAddOfMissingTypeAddsNothing) {
    std::vector<Effect> effects;
    std::vector<Condition> conditions;
    testing::internal::CaptureStdout();
    EXPECT_FALSE(addEffectOfType(effects, effectTypes(), 99, 0, 0));
    EXPECT_FALSE(addConditionOfType(conditions, {}, 1, 0, 0));
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(out, "Big time error! Trying to auto-add an effect type that doesn't exist yet!\n"
                   "Big time error! Trying to auto-add a condition type that doesn't exist yet!\n");
    EXPECT_TRUE(effects.empty());
    EXPECT_TRUE(conditions.empty());
}

TEST(EffectRecord, StrLineKeepsSpacesAndEmptyKeyDoesNotEatNextLine) {
    DataFile f = openMemoryRead("TYPE: 3\nSTR:\nVALUE: 4\nEND\nTYPE: 10\nSTR: two words \nEND",
                                "x.txt");
    Effect a, b;
    testing::internal::CaptureStdout();
    ASSERT_TRUE(readEffect(f, a, effectTypes(), {}));
    EXPECT_EQ(a.str, "");
    EXPECT_EQ(a.value, 4);
    ASSERT_TRUE(readEffect(f, b, effectTypes(), {}));
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(b.str, "two words ");
}
