#include "converter/track_names.h"

#include <gtest/gtest.h>

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
    };
    for (const Case& c : cases) {
        const Track_name t = check_track_extension(c.given);
        EXPECT_EQ(t.accepted, c.accepted) << c.given;
        EXPECT_EQ(t.name, c.name) << c.given;
        EXPECT_EQ(t.stem, c.stem) << c.given;
    }
}

TEST(TrackNames, OutputFolderAndJoins) {
    EXPECT_EQ(output_folder("/data/tracks/", "IGC"), "/data/tracks/IGC");
    EXPECT_EQ(output_folder("./", "out dir "), "./out dir");
    EXPECT_EQ(output_folder("/data/tracks/", "/srv/igc"), "/srv/igc");
    EXPECT_EQ(join_path("/srv/igc", "f.igc"), "/srv/igc/f.igc");
    EXPECT_EQ(join_path("/srv/igc/", "f.igc"), "/srv/igc/f.igc");
    EXPECT_EQ(raw_dump_name("./a"), "./a_tXYZ.txt");
    EXPECT_EQ(smooth_dump_name("./a"), "./a_tXYZ_SMOOTH.txt");
}

TEST(TrackNames, TerrainPaths) {
    EXPECT_EQ(installed_terrain_path("/w/drive_c/Condor3", "Alps "), "/w/drive_c/Condor3/Landscapes/Alps/Alps.trn");
    EXPECT_EQ(installed_terrain_path("/w/drive_c/Condor3/", "Alps"), "/w/drive_c/Condor3/Landscapes/Alps/Alps.trn");
    EXPECT_EQ(program_terrain_path("/opt/bremalo/", "Alps"), "/opt/bremalo/LandscapeFiles/Alps.trn");
    EXPECT_EQ(program_terrain_path("/opt/bremalo", "Alps"), "/opt/bremalo/LandscapeFiles/Alps.trn");
    // The landscape's field holds 64 characters.
    EXPECT_EQ(program_terrain_path("/p/", std::string(70, 'L')), "/p/LandscapeFiles/" + std::string(64, 'L') + ".trn");
}
