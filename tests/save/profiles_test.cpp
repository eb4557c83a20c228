#include "save/profiles.h"
#include "support/test_env.h"

namespace {

ProfileList sampleList() {
    ProfileList list;
    for (Profile& p : list.slots)
        clearProfile(p, {3, 7});
    list.slots[0].name = "Greystar";
    list.slots[0].avatar = "avatar3.png";
    list.slots[0].covers[0] = "cover1b.jpg";
    list.slots[0].acceptedLicense = true;
    list.slots[0].awards[1].earned = true;
    list.slots[2].name = "Mira of the Fens";
    list.active = 2;
    list.zoomPages = {1, 2, 0, 0, 0, 0, 0, 0, 0, 4};
    return list;
}

std::string written(const ProfileList& list) {
    FileSystemPaths paths;
    DataFile f = openMemoryWrite("profiles.dat");
    writeProfiles(f, list, paths);
    return unshiftBytes(f.data);
}

} // namespace

TEST(ProfilesWriter, WritesTheExactLayout) {
    std::string covers19;
    for (int i = 0; i < 19; ++i)
        covers19 += "*Blank*\r\n";
    const std::string zoom = "AC_ZOOM_PAGES: 1 2 0 0 0 0 0 0 0 4 \r\n";
    std::string expected = "PROFILE: 0\r\nNAME: Greystar\r\nAVATAR: avatar3.png\r\nCOVERS:\r\n"
                           "cover1b.jpg\r\n" +
                           covers19 + "ACCEPTED_LICENSE: 1\r\n" + zoom +
                           "AWARD: 3 0\r\nAWARD: 7 1\r\n";
    for (int slot = 1; slot < 5; ++slot) {
        expected += "PROFILE: " + std::to_string(slot) + "\r\n";
        expected += slot == 2 ? "NAME: Mira of the Fens\r\n" : "NAME: *Blank*\r\n";
        expected += "AVATAR: *Blank*\r\nCOVERS:\r\n*Blank*\r\n" + covers19;
        expected += "ACCEPTED_LICENSE: 0\r\n" + zoom + "AWARD: 3 0\r\nAWARD: 7 0\r\n";
    }
    expected += "LAST_ACTIVE: 2\r\n";
    EXPECT_EQ(written(sampleList()), expected);
}

TEST(ProfilesReader, get) {
    ProfileList original = sampleList();
    FileSystemPaths paths;
    DataFile w = openMemoryWrite("profiles.dat");
    writeProfiles(w, original, paths);

    ProfileList back;
    for (Profile& p : back.slots)
        clearProfile(p, {3, 7});
    DataFile r = openMemoryRead(w.data, "profiles.dat");
    ASSERT_TRUE(readProfiles(r, back));
    EXPECT_EQ(back.active, 2);
    EXPECT_EQ(back.slots[0].name, "Greystar");
    EXPECT_EQ(back.slots[0].avatar, "avatar3.png");
    EXPECT_EQ(back.slots[0].covers[0], "cover1b.jpg");
    EXPECT_EQ(back.slots[0].covers[1], "");
    EXPECT_TRUE(back.slots[0].acceptedLicense);
    EXPECT_FALSE(back.slots[0].awards[0].earned);
    EXPECT_TRUE(back.slots[0].awards[1].earned);
    EXPECT_EQ(back.slots[1].name, "");
    EXPECT_EQ(back.slots[2].name, "Mira of the Fens");
    EXPECT_EQ(back.zoomPages, original.zoomPages);
    EXPECT_EQ(firstNamedProfile(back), 0);
}

TEST(ProfilesReader, UnknownAwardsAndHighZoomValues) {
    std::string text = "PROFILE: 0\nNAME: Ash\nAWARD: 99 1\nAWARD: 3 1\n"
                       "AC_ZOOM_PAGES: 9 1 2 3 4 5 6 7 8 9\nLAST_ACTIVE: 0\n";
    ProfileList list;
    for (Profile& p : list.slots)
        clearProfile(p, {3, 7});
    DataFile r = openMemoryRead(text, "profiles.txt");
    ASSERT_TRUE(readProfiles(r, list));
    ASSERT_EQ(list.slots[0].awards.size(), 2u);
    EXPECT_TRUE(list.slots[0].awards[0].earned);
    EXPECT_EQ(list.zoomPages[0], AC_ZOOM_LIMIT);
    EXPECT_EQ(list.zoomPages[3], 3);
    EXPECT_EQ(list.zoomPages[9], AC_ZOOM_LIMIT);
}

TEST(ProfilesReader, OlderLayoutWithoutKeys) {
    std::string text = "LAST_ACTIVE: 1\r\n";
    for (int slot = 0; slot < 5; ++slot) {
        text += "slot line\r\n";
        text += slot == 1 ? "Old Timer\r\n" : "*Blank*\r\n";
        text += slot == 1 ? "avatar2.png\r\n" : "*Blank*\r\n";
        for (int c = 0; c < 20; ++c)
            text += c == 4 ? "cover5.jpg\r\n" : "*Blank*\r\n";
    }
    ProfileList list;
    DataFile r = openMemoryRead(shiftBytes(text), "profiles.dat");
    ASSERT_TRUE(readProfiles(r, list));
    EXPECT_EQ(list.active, 1);
    EXPECT_EQ(list.slots[1].name, "Old Timer");
    EXPECT_EQ(list.slots[1].avatar, "avatar2.png");
    EXPECT_EQ(list.slots[1].covers[4], "cover5.jpg");
    EXPECT_EQ(list.slots[0].name, "");
}

TEST(ProfilesReader, syntax_error) {
    // Slot numbers out of range, an absurd active index and a cover list cut
    // short by the end of the file.
    std::string text = "PROFILE: 12\nNAME: Nobody\nPROFILE: -1\nNAME: Nobody\n"
                       "LAST_ACTIVE: 77\nPROFILE: 4\nNAME: Last\nCOVERS:\nc1\nc2";
    ProfileList list;
    DataFile r = openMemoryRead(text, "profiles.txt");
    ASSERT_TRUE(readProfiles(r, list));
    EXPECT_EQ(list.slots[4].name, "Last");
    EXPECT_EQ(list.slots[4].covers[0], "c1");
    EXPECT_EQ(list.slots[4].covers[1], "c2");
    EXPECT_EQ(list.slots[4].covers[2], "");
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(list.slots[i].name, "");
    EXPECT_EQ(list.active, PROFILE_COUNT - 1);

    // The active index is clamped at both ends, the last slot itself kept.
    for (const auto& [written, expected] : {std::pair{"-3", 0}, std::pair{"4", 4}, std::pair{"5", 4}}) {
        ProfileList l;
        DataFile f = openMemoryRead(std::string("LAST_ACTIVE: ") + written + "\n", "p.txt");
        l.active = 2;
        readProfiles(f, l);
        EXPECT_EQ(l.active, expected) << written;
    }
}

class ProfilesOnDisk : public VfsTest {};

TEST_F(ProfilesOnDisk, SaveThenLoadAndMissingFile) {
    ProfileList list;
    EXPECT_FALSE(loadProfiles(list));
    FileSystemPaths paths;
    ProfileList original = sampleList();
    ASSERT_TRUE(saveProfiles(original, paths));
    ProfileList back;
    for (Profile& p : back.slots)
        clearProfile(p, {3, 7});
    ASSERT_TRUE(loadProfiles(back));
    EXPECT_EQ(back.slots[2].name, "Mira of the Fens");
    EXPECT_EQ(readRealFile(userFile("data/profiles/profiles.dat")).substr(0, 3), shiftBytes("PRO"));
}
