#include "converter/track_names.h"
#include "converter/written_names.h"

#include <gtest/gtest.h>

#include "tests/common/temp_dir.h"

// The rows are written with "/" and taken with the platform's separator
// (native_path); the Windows rows add drives and shares.
TEST(TrackNames, ExtensionTest) {
    struct Case {
        const char* given;
        bool accepted;
        const char* name;
        const char* stem;
    } cases[] = {
        {"flight.ftr", true, "flight.ftr", "flight"},
        {"flight.FTR", true, "flight.FTR", "flight"},
        {"flight", true, "flight.ftr", "flight"},
        {"flight  ", true, "flight.ftr", "flight"},
        {"./flight.ftr", true, "./flight.ftr", "./flight"},
        {"/home/p/.wine/drive_c/flight.ftr", true, "/home/p/.wine/drive_c/flight.ftr", "/home/p/.wine/drive_c/flight"},
        {"tracks.2024/flight", true, "tracks.2024/flight.ftr", "tracks.2024/flight"},
        {"flight.v2.ftr", false, "flight.v2.ftr", ""},
        {"flight.Ftr", false, "flight.Ftr", ""},
        {"flight.igc", false, "flight.igc", ""},
        {"flight.", false, "flight.", ""},
        {"a.ftr/flight.txt", false, "a.ftr/flight.txt", ""},
#ifdef _WIN32
        {"C:/Users/p/Flights.2024/flight", true, "C:/Users/p/Flights.2024/flight.ftr", "C:/Users/p/Flights.2024/flight"},
        {"//server/tracks.old/a.FTR", true, "//server/tracks.old/a.FTR", "//server/tracks.old/a"},
        {"D:flight.ftr", true, "D:flight.ftr", "D:flight"},
#endif
    };
    for (const Case& c : cases) {
        const Track_name t = check_track_extension(native_path(c.given));
        EXPECT_EQ(t.accepted, c.accepted) << c.given;
        EXPECT_EQ(t.name, native_path(c.name)) << c.given;
        EXPECT_EQ(t.stem, native_path(c.stem)) << c.given;
    }
#ifdef _WIN32
    // Windows takes "/" as a separator too: a name given with it is tested
    // on its file name as well, and kept as given.
    const Case as_given[] = {
        {"C:/Users/p/Flights.2024/flight", true, "C:/Users/p/Flights.2024/flight.ftr", "C:/Users/p/Flights.2024/flight"},
        {"tracks.2024/a.FTR", true, "tracks.2024/a.FTR", "tracks.2024/a"},
        {"a.ftr/flight.txt", false, "a.ftr/flight.txt", ""},
    };
    for (const Case& c : as_given) {
        const Track_name t = check_track_extension(c.given);
        EXPECT_EQ(t.accepted, c.accepted) << c.given;
        EXPECT_EQ(t.name, c.name) << c.given;
        EXPECT_EQ(t.stem, c.stem) << c.given;
    }
#endif
}

TEST(TrackNames, OutputFolderAndJoins) {
    struct Case {
        const char* track_folder;
        const char* target;
        const char* folder;
    } cases[] = {
        {"/data/tracks/", "IGC", "/data/tracks/IGC"},
        {"./", "out dir ", "./out dir"},
#ifdef _WIN32
        // Absolute: a drive or a share; a folder beginning "/" is inside the
        // track's folder.
        {"C:/data/tracks/", "D:/igc", "D:/igc"},
        {"C:/data/tracks/", "d:igc", "d:igc"},
        {"C:/data/tracks/", "//server/igc", "//server/igc"},
        {"C:/data/tracks/", "/igc", "C:/data/tracks//igc"},
#else
        {"/data/tracks/", "/srv/igc", "/srv/igc"},
        {"/data/tracks/", "C:/igc", "/data/tracks/C:/igc"},
#endif
    };
    for (const Case& c : cases)
        EXPECT_EQ(output_folder(native_path(c.track_folder), native_path(c.target)), native_path(c.folder))
            << c.track_folder << " " << c.target;
#ifdef _WIN32
    // A folder given with "/" takes no second separator.
    EXPECT_EQ(output_folder("C:/data/tracks/", "IGC"), "C:/data/tracks/IGC");
    EXPECT_EQ(join_path("C:/igc/", "f.igc"), "C:/igc/f.igc");
#endif
    EXPECT_EQ(join_path(native_path("/srv/igc"), "f.igc"), native_path("/srv/igc/f.igc"));
    EXPECT_EQ(join_path(native_path("/srv/igc/"), "f.igc"), native_path("/srv/igc/f.igc"));
    EXPECT_EQ(raw_dump_name(native_path("./a")), native_path("./a_tXYZ.txt"));
    EXPECT_EQ(smooth_dump_name(native_path("./a")), native_path("./a_tXYZ_SMOOTH.txt"));
}

TEST(TrackNames, TerrainPaths) {
    struct Case {
        const char* folder;
        const char* path;
    } installed[] = {
        {"/w/drive_c/Condor3", "/w/drive_c/Condor3/Landscapes/Alps/Alps.trn"},
        {"/w/drive_c/Condor3/", "/w/drive_c/Condor3/Landscapes/Alps/Alps.trn"},
#ifdef _WIN32
        {"C:/Program Files/Condor3", "C:/Program Files/Condor3/Landscapes/Alps/Alps.trn"},
        {"C:/", "C:/Landscapes/Alps/Alps.trn"},
#endif
    };
    for (const Case& c : installed)
        EXPECT_EQ(installed_terrain_path(native_path(c.folder), "Alps "), native_path(c.path)) << c.folder;
    EXPECT_EQ(program_terrain_path(native_path("/opt/bremalo/"), "Alps"), native_path("/opt/bremalo/LandscapeFiles/Alps.trn"));
    EXPECT_EQ(program_terrain_path(native_path("/opt/bremalo"), "Alps"), native_path("/opt/bremalo/LandscapeFiles/Alps.trn"));
    // The landscape's field holds 64 characters.
    EXPECT_EQ(program_terrain_path(native_path("/p/"), std::string(70, 'L')),
              native_path("/p/LandscapeFiles/" + std::string(64, 'L') + ".trn"));
}

TEST(WrittenNames, NumberedNamesAndTheFirstNotWritten) {
    struct Numbered {
        std::string name;
        int n;
        std::string want;
    };
    const Numbered numbered[] = {
        {"a.igc", 1, "a_01.igc"},          {"dir/a.b.igc", 12, "dir/a.b_12.igc"},
        {"a.igc", 100, "a_100.igc"},       {"no_extension", 3, "no_extension_03"},
        {"2024_05_01_XY.igc", 2, "2024_05_01_XY_02.igc"},
    };
    for (const Numbered& c : numbered) EXPECT_EQ(numbered_igc_name(c.name, c.n), c.want) << c.name;

    Written_names w;
    EXPECT_EQ(unwritten_name(w, "a.igc"), "a.igc");
    note_written(w, "a.igc");
    EXPECT_EQ(unwritten_name(w, "a.igc"), "a_01.igc");
    note_written(w, "a_01.igc");
    note_written(w, "a_03.igc");
    EXPECT_EQ(unwritten_name(w, "a.igc"), "a_02.igc");
    // A name found but not written (its file refused) is found again.
    EXPECT_EQ(unwritten_name(w, "a.igc"), "a_02.igc");
    note_written(w, "a_02.igc");
    EXPECT_EQ(unwritten_name(w, "a.igc"), "a_04.igc");
    // A numbered name written as a name of its own is passed too.
    note_written(w, "a_04.igc");
    note_written(w, "a_05.igc");
    EXPECT_EQ(unwritten_name(w, "a.igc"), "a_06.igc");
    EXPECT_EQ(unwritten_name(w, "b.igc"), "b.igc");
    // Many tracks of one name each get the next number.
    Written_names many;
    for (int i = 0; i < 300; ++i) note_written(many, unwritten_name(many, "m.igc"));
    EXPECT_EQ(unwritten_name(many, "m.igc"), "m_300.igc");
    EXPECT_EQ(many.keys.size(), 300u);
#ifdef _WIN32
    // The file system finds names whatever their case and either slash.
    note_written(w, "D/X.igc");
    EXPECT_EQ(unwritten_name(w, "d\\x.igc"), "d\\x_01.igc");
#else
    note_written(w, "X.igc");
    EXPECT_EQ(unwritten_name(w, "x.igc"), "x.igc");
#endif
}
