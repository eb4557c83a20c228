#include "fs/data_file.h"
#include "fs/vfs.h"
#include "script/type_registry.h"
#include "support/test_env.h"

#include <gtest/gtest.h>

#include <string>

TEST(TypeRegistryReader, BlankLabelsAreEmptyButOtherTextsKeepBlank) {
    DataFile f = openMemoryRead("## conditions\n"
                                "TYPEID: 5\n"
                                "MAIN_TIP: *Blank*\n"
                                "VALUE_NAME: *Blank*\n"
                                "NAME: Has a Discipline\n"
                                "ID_TO_CHECK_NAME: Tier (0, 1 or 2)\n"
                                "END\n"
                                "END\n"
                                "TYPEID: 5\nNAME: Again\nEND\n",
                                "cond.txt");
    ConditionTypes types;
    readConditionTypes(f, types);
    ASSERT_EQ(types.size(), 2u); // duplicates kept, a stray END adds nothing
    EXPECT_EQ(types[0].typeId, 5);
    EXPECT_EQ(types[0].valueName, "");
    EXPECT_EQ(types[0].mainTip, "*Blank*");
    EXPECT_EQ(types[0].name, "Has a Discipline");
    EXPECT_EQ(types[0].idToCheckName, "Tier (0, 1 or 2)");
    EXPECT_EQ(types[0].equationName, "Equation"); // missing keys keep their defaults
    EXPECT_EQ(types[1].name, "Again");

    DataFile g = openMemoryRead("TYPEID: 1\nSTR_NAME: *Blank*\nSTR_TIP: *Blank*\n"
                                "VALUE2_NAME:\nNAME: Turn\nEND\n",
                                "eff.txt");
    EffectTypes effects;
    readEffectTypes(g, effects);
    ASSERT_EQ(effects.size(), 1u);
    EXPECT_EQ(effects[0].strName, "");
    EXPECT_EQ(effects[0].strTip, "*Blank*");
    EXPECT_EQ(effects[0].value2Name, "");
    EXPECT_EQ(effects[0].name, "Turn");
}

TEST(TypeRegistryWriter, GoldenInWrittenKeyOrderAndBack) {
    ConditionTypes types(1);
    types[0].typeId = 3;
    types[0].equationName = "";
    DataFile out = openMemoryWrite("/data/misc/cond_dat.dat");
    ASSERT_TRUE(writeConditionTypes(out, types));
    const std::string plain = unshiftBytes(out.data);
    EXPECT_EQ(plain, "TYPEID: 3\r\n"
                     "    NAME: Default Condition Name\r\n"
                     "    DEFAULT_EQUATION: ==\r\n"
                     "    ID_TO_CHECK_NAME: ID to check\r\n"
                     "    VALUE_NAME: Value\r\n"
                     "    EQUATION_NAME: *Blank*\r\n"
                     "    MAIN_TIP: Type an adequate description of what this condition checks\r\n"
                     "    ID_TO_CHECK_TIP: This is the ID of the button to check\r\n"
                     "    VALUE_TIP: This is the value to check for in this condition\r\n"
                     "    EQUATION_TIP: What type of mathemathical relationship we are looking "
                     "at\r\n"
                     "END\r\n");

    EffectTypes effects(1);
    effects[0].typeId = 22;
    effects[0].name = "Lose ENDURANCE";
    DataFile eout = openMemoryWrite("eff.txt");
    ASSERT_TRUE(writeEffectTypes(eout, effects));
    const char* order[] = {"TYPEID:", "NAME:", "ID_TO_AFFECT_NAME:", "VALUE_NAME:", "VALUE2_NAME:",
                           "MAIN_TIP:", "ID_TO_AFFECT_TIP:", "VALUE_TIP:", "VALUE2_TIP:",
                           "STR_NAME:", "STR_TIP:", "END"};
    size_t at = 0;
    for (const char* key : order) {
        const size_t found = eout.data.find(key, at);
        ASSERT_NE(found, std::string::npos) << key;
        at = found;
    }
    DataFile in = openMemoryRead(eout.data, "eff.txt");
    EffectTypes back;
    readEffectTypes(in, back);
    ASSERT_EQ(back.size(), 1u);
    EXPECT_EQ(back[0].typeId, 22);
    EXPECT_EQ(back[0].name, "Lose ENDURANCE");
    EXPECT_EQ(back[0].strTip, effects[0].strTip);
}

class TypeRegistryFiles : public VfsTest {};

TEST_F(TypeRegistryFiles, SaveLoadAndEmptyRegistryDeletesTheFile) {
    ConditionTypes types(2);
    types[1].typeId = 9;
    ASSERT_TRUE(saveConditionTypes("/data/misc/cond_dat.dat", types));
    ASSERT_TRUE(vfsExists("/data/misc/cond_dat.dat"));
    ConditionTypes loaded(5);
    ASSERT_TRUE(loadConditionTypes("/data/misc/cond_dat.dat", loaded));
    ASSERT_EQ(loaded.size(), 2u);
    EXPECT_EQ(loaded[1].typeId, 9);

    ASSERT_TRUE(saveConditionTypes("/data/misc/cond_dat.dat", {}));
    EXPECT_FALSE(vfsExists("/data/misc/cond_dat.dat"));
    EffectTypes effects(1);
    ASSERT_TRUE(saveEffectTypes("/data/misc/eff_dat.dat", effects));
    ASSERT_TRUE(saveEffectTypes("/data/misc/eff_dat.dat", {}));
    EXPECT_FALSE(vfsExists("/data/misc/eff_dat.dat"));
}

TEST_F(TypeRegistryFiles, MissingFileMessages) {
    ConditionTypes types(3);
    EffectTypes effects(3);
    testing::internal::CaptureStdout();
    EXPECT_FALSE(loadConditionTypes("/data/misc/none.dat", types));
    EXPECT_FALSE(loadEffectTypes("/data/misc/none.dat", effects));
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "Couldn't open the file /data/misc/none.dat! This contains condition "
              "definitions.\nUnable to continue - corrupt installation!\n"
              "Couldn't open the file /data/misc/none.dat! This contains effect "
              "definitions.\nUnable to continue - corrupt installation!\n");
    EXPECT_TRUE(types.empty());
    EXPECT_TRUE(effects.empty());
}

TEST_F(TypeRegistryFiles, ShippedDefinitionsLoad) {
    mountBuiltData();
    if (!vfsExists(CONDITION_TYPES_FILE)) GTEST_SKIP() << "no definition files in the data yet";
    ConditionTypes types;
    EffectTypes effects;
    ASSERT_TRUE(loadConditionTypes(CONDITION_TYPES_FILE, types));
    ASSERT_TRUE(loadEffectTypes(EFFECT_TYPES_FILE, effects));
    EXPECT_FALSE(types.empty());
    EXPECT_NE(findEffectType(effects, 1), nullptr); // turning to a section
}
