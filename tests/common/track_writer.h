// A writer of flight tracks (".ftr") for tests.
//
// Builds the bytes of a version-2 track, a version-3 track below 3040 or a
// version-3040+ track field by field from a description: header values, task
// points, penalty zones, weather zones, fixes, flight events and trailer.
// Every field the readers take sits at its own offset in the layout; fields
// the description does not set are zero.  Tests that need a broken file cut
// the bytes (std::vector::resize) or patch them at an offset.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <climits>
#include <string>
#include <vector>

/// A count left to the writer: the number of entries given.
inline constexpr int32_t tw_auto = INT32_MIN;

/// A length-prefixed text of the track: the text, and the length byte that
/// precedes it (-1: the text's own length).  The text is written into its
/// area up to the area's width, whatever the length byte says.
struct tw_text {
    std::string text;
    int len = -1;
    tw_text() = default;
    tw_text(const char* s) : text(s) {}
    tw_text(std::string s) : text(std::move(s)) {}
    tw_text(std::string s, int l) : text(std::move(s)), len(l) {}
};

/// One task point.  Version 2 stores `airport` and `sectype` as unsigned
/// bytes and has no sector direction nor the three trailing floats.
struct tw_tp {
    tw_text name;
    float x = 0, y = 0, z = 0;
    float extra[3] = {0, 0, 0};
    int sectype = 0;
    int secdir = 0;
    int32_t radius = 0, angle = 0;
    float alt = 0, wid = 0, hei = 0, azi = 0;
    int airport = 0;
    float fdir = 0, flength = 0, fwidth = 0;
};

/// One penalty zone: four corners of X, Y and a third value, then base,
/// top and penalty time factor.
struct tw_pz {
    float corner[4][3] = {};
    float base = 0, top = 0, factor = 0;
};

/// One weather zone of a version-3 header; version 2 uses the same members
/// for its single weather block (`v2_weather`).
struct tw_wz {
    tw_text name;
    int32_t pointcount = 0;
    float pts[16][3] = {};
    float movespeed = 0, borderwidth = 0, movedir = 0;
    float winddir = 0, windspeed = 0, windupperspeed = 0;
    int32_t winddirvariation = 0, windspeedvariation = 0, windturbulence = 0;
    float thermalstemp = 0;  // degrees Celsius, as the file holds it
    int32_t thermalstempvariation = 0;
    float thermalsdew = 0;
    int32_t thermalsstrength = 0, thermalsstrengthvariation = 0;
    float thermalsinversionheight = 0, thermalsoverdevelopment = 0;
    int32_t thermalswidth = 0, thermalswidthvariation = 0;
    int32_t thermalsactivity = 0, thermalsactivityvariation = 0;
    int32_t thermalsturbulence = 0, thermalsflatsactivity = 0, thermalsstreeting = 0;
    int32_t thermalsbugs = 0, wavesstability = 0, wavesmoisture = 0, highcloudscoverage = 0;
    int bvalid = 0;
    float fweight = 0;
};

/// One fix.  Below version 3040 the time is stored as float32 and `enl`
/// plus `extra` fill the ten floats; from 3040 on the time is float64 and the
/// 20-byte text follows the five further values.
struct tw_fix {
    double hours = 0;
    float x = 0, y = 0, alt = 0, enl = 0;
    float extra[5] = {0, 0, 0, 0, 0};
    std::string text;
};

/// One flight event (version 3040 on).
struct tw_event {
    int32_t code = 0;
    float a = 0, b = 0;
};

/// Bytes to lay over the built file at an absolute offset (the file grows
/// when the patch reaches past its end).
struct tw_patch {
    std::size_t offset;
    std::vector<unsigned char> bytes;
};

/// A whole track.  Members name the header fields they fill; a member used
/// by only one layout says so.
struct track_desc {
    std::array<char, 3> magic = {'F', 'T', 'R'};
    int32_t version = 3040;

    // Game options and times.
    float starttime = 0, stopjoin = 0, racestartdelay = 0, starttimewindow = 0;
    int32_t unnamed23 = 0;   // version 3: the int32 at byte 23
    double date = 0;         // day count from 1899-12-30, written as float64 (v3: 27..34, v2: 27..34 too)
    float aattime = 0;       // version 3
    int32_t iconsvisiblerange = 0, thermalhelpersrange = 0, turnpointhelpersrange = 0;
    int qaat = 0, allowbugwipers = 0;  // version 3
    int allowpda = 0, allowrealtimescoring = 0, allowexternalview = 0, allowpadlockview = 0;
    int allowsmoke = 0, allowplanerecovery = 0, allowheightrecovery = 0, allowmidaircollisionrecovery = 0;
    int32_t penaltycloudflying = 0, penaltyplanerecovery = 0, penaltyheightrecovery = 0;
    int32_t penaltywrongwindowenterance = 0, penaltywindowcollision = 0;
    int32_t penaltyairspaceenterance = 0;  // version 3
    int32_t penaltypenaltyzoneenterance = 0, penaltythermalhelpers = 0;
    int32_t maxstartgroundspeed = 0, penaltystartspeed = 0, penaltyhighstart = 0, penaltylowfinish = 0;  // version 3
    int32_t randseed = 0, starttype = 0, startheight = 0, breakprob = 0;
    float ropelength = 0;
    int32_t maxwingloading = 0, maxping = 0, maxtowplanes = 0, maxteams = 0, team = 0;  // version 3
    int32_t spare107 = 0, spare111 = 0;  // version 2
    int32_t acroflight = 0;              // v3: one signed byte; v2: int32

    // Pilot and glider identity.
    tw_text firstname, secondname, country;
    tw_text registration;   // 7 characters
    tw_text compno;         // 3 characters
    int32_t rcncolor = 0;   // version 3
    tw_text landscape;      // 16 characters
    tw_text glclass, gltype;  // 16 characters each
    tw_text skin;           // 32 characters
    int32_t iwater = 0, ifixedmass = 0, icgbias = 0;
    int32_t iseat = 0;      // version 3
    int bbugwipers = 0;     // version 3

    // Task.  Version 3 always writes 16 task-point records and 8 penalty
    // zones (missing ones zero); version 2 writes the points given.
    int32_t nb_wp = tw_auto;     // announced task-point count; tw_auto: tps.size()
    std::vector<tw_tp> tps;
    int32_t nb_pz = tw_auto;     // tw_auto: pzs.size()
    std::vector<tw_pz> pzs;
    int32_t ndisabled = tw_auto;              // version 3; tw_auto: disabled.size()
    std::vector<int16_t> disabled;       // version 3, at most 8192 written
    int32_t zonenumber = 0;              // version 3 landscape geometry echo
    char northsouth = 'N';
    int32_t wzcount = tw_auto;                // version 3; tw_auto: wzs.size()
    std::vector<tw_wz> wzs;              // version 3, at most 8 written
    int32_t iweatherpreset = 0;
    int32_t randomize = 0;               // v3: one byte; v2: int32
    tw_wz v2_weather;                    // version 2's single weather block
    float pressure = 0;                  // version 2

    // Fixes, events and trailer.
    int32_t npts = tw_auto;      // announced fix count; tw_auto: fixes.size()
    std::vector<tw_fix> fixes;
    int32_t nevents = tw_auto;   // version 3040 on; tw_auto: events.size()
    std::vector<tw_event> events;
    std::vector<unsigned char> trailer;

    std::vector<tw_patch> patches;
};

/// File offsets of the layouts, for tests that cut or patch a track.
inline constexpr std::size_t tw_v3_header_size = 21679;
inline constexpr std::size_t tw_v2_header_size = 1879;

/// The bytes of the described track (layout chosen by `version`: below 3000
/// the version-2 block, else the version-3 header; 64-byte fixes and the event
/// list from 3040 on).
std::vector<unsigned char> build_track(const track_desc& d);

/// Writes build_track(d) to `path`; false when the file cannot be written.
bool write_track(const std::string& path, const track_desc& d);

/// A trailer of the ten known fields.
std::vector<unsigned char> tw_trailer(int32_t raceid, float starttime, float flighttime, float taskstart,
                                      float tasktime, int32_t status, float distance, float speed,
                                      float penalty, int32_t ghosts);

/// A small, complete track of the given version: two task points, one
/// penalty zone, one weather zone, a few fixes and a full trailer.
track_desc tw_sample(int32_t version);
