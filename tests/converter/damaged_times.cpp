#include "tests/converter/damaged_times.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <sstream>

#include "converter/fix_times.h"
#include "tracks/resample.h"

namespace {

std::size_t pick(std::mt19937_64& rng, std::size_t lo, std::size_t hi) {
    return std::uniform_int_distribution<std::size_t>(lo, hi)(rng);
}

// The time in seconds as the reader of 64-byte records makes it.
float seconds_of(const Raw_fix& f) { return static_cast<float>(f.hours * 3600.0); }

bool same_fix(const track_fix& a, const track_fix& b) {
    for (int row = fix_t; row <= fix_enl; ++row)
        if (!(a[static_cast<std::size_t>(row)] == b[static_cast<std::size_t>(row)])) return false;
    return true;
}

std::string fix_text(const track_fix& f) {
    std::ostringstream s;
    s.precision(9);
    s << f[fix_t] << ' ' << f[fix_x] << ' ' << f[fix_y] << ' ' << f[fix_alt] << ' ' << f[fix_enl];
    return s.str();
}

void mark(Damaged_track& d, std::size_t fix) {
    const auto at = std::lower_bound(d.damaged.begin(), d.damaged.end(), fix);
    if (at == d.damaged.end() || *at != fix) d.damaged.insert(at, fix);
}

}  // namespace

std::vector<Raw_fix> sound_track(std::mt19937_64& rng) {
    static const double steps[] = {0.2, 0.5, 1.0, 2.0};
    const std::size_t n = pick(rng, 120, 1500);
    const double base = steps[pick(rng, 0, 3)];
    std::uniform_real_distribution<double> jitter(0.85, 1.15);
    double t = std::uniform_real_distribution<double>(3600.0, 80000.0)(rng);
    std::vector<Raw_fix> fixes(n);
    for (std::size_t i = 0; i < n; ++i) {
        const double k = static_cast<double>(i);
        Raw_fix& f = fixes[i];
        f.hours = t / 3600.0;
        f.x = static_cast<float>(20000.0 + 400.0 * std::sin(k * 0.013) + 8.0 * k);
        f.y = static_cast<float>(30000.0 + 300.0 * std::cos(k * 0.021) - 5.0 * k);
        f.alt = static_cast<float>(900.0 + 150.0 * std::sin(k * 0.007));
        f.enl = static_cast<float>(i % 9) * 0.05f;
        t += base * jitter(rng);
    }
    return fixes;
}

void damage_time(Damaged_track& d, std::size_t fix, double hours) {
    d.fixes[fix].hours = hours;
    mark(d, fix);
}

void damage_block(Damaged_track& d, Block kind, std::size_t first, std::size_t count) {
    const Raw_fix before = d.fixes[first > 0 ? first - 1 : first];
    const double clock = d.fixes[first].hours;
    for (std::size_t i = first; i < first + count; ++i) {
        Raw_fix& f = d.fixes[i];
        switch (kind) {
        case Block::zeroed: f = Raw_fix{}; break;
        case Block::stuck: f = before; break;
        case Block::stuck_clock: f.hours = clock; break;
        }
        // The whole block is damage, also a record it left as it was: a
        // stuck clock's first fix is cut off from the rest by the block.
        mark(d, i);
    }
    d.block = count;
}

Damaged_track random_damage(const std::vector<Raw_fix>& sound, std::mt19937_64& rng) {
    Damaged_track d;
    d.fixes = sound;
    const std::size_t n = sound.size();
    std::ostringstream what;
    if (pick(rng, 0, 1) == 0) {
        const std::size_t count = pick(rng, 1, 3);
        for (std::size_t c = 0; c < count; ++c) {
            std::size_t fix = 0;
            switch (pick(rng, 0, 2)) {
            case 0: fix = pick(rng, 0, 2); break;
            case 1: fix = n - 1 - pick(rng, 0, 2); break;
            default: fix = pick(rng, 0, n - 1);
            }
            double h = d.fixes[fix].hours;
            const std::size_t kind = pick(rng, 0, 9);
            switch (kind) {
            case 0: {
                const unsigned bit = static_cast<unsigned>(pick(rng, 0, 63));
                uint64_t bits;
                std::memcpy(&bits, &h, sizeof bits);
                bits ^= uint64_t{1} << bit;
                std::memcpy(&h, &bits, sizeof h);
                what << "fix " << fix << " bit " << bit << "; ";
                break;
            }
            case 1: h = 0; break;
            case 2: h = std::numeric_limits<double>::quiet_NaN(); break;
            case 3: h = std::numeric_limits<double>::infinity(); break;
            case 4: h = -std::numeric_limits<double>::infinity(); break;
            case 5: h = sound[fix == 0 ? 1 : fix == n - 1 ? n - 2 : fix + (pick(rng, 0, 1) ? 1 : -1)].hours; break;
            case 6: h += 1.0; break;
            case 7: h -= 1.0; break;
            case 8: h += 24.0; break;
            default: h -= 24.0;
            }
            if (kind != 0) what << "fix " << fix << " kind " << kind << "; ";
            damage_time(d, fix, h);
        }
    } else {
        const Block kind = static_cast<Block>(pick(rng, 0, 2));
        const std::size_t count = pick(rng, 1, n * 9 / 10);
        std::size_t first = 0;
        switch (pick(rng, 0, 2)) {
        case 0: first = 0; break;
        case 1: first = n - count; break;
        default: first = pick(rng, 0, n - count);
        }
        damage_block(d, kind, first, count);
        what << "block " << static_cast<int>(kind) << " of " << count << " from " << first;
    }
    d.what = what.str() + " (" + std::to_string(n) + " fixes)";
    return d;
}

Converted convert_fixes(const std::vector<Raw_fix>& fixes, int32_t scheme) {
    std::vector<track_fix> pp5;
    pp5.reserve(fixes.size());
    for (const Raw_fix& f : fixes) pp5.push_back({seconds_of(f), f.x, f.y, f.alt, f.enl});
    const int32_t nrec = static_cast<int32_t>(pp5.size());
    Converted c;
    const int32_t nkept = keep_undamaged_fixes(pp5, nrec);
    c.left_out = nrec - nkept;
    if (check_fix_times(pp5, nkept) != Fix_times::usable) return c;
    const int32_t ndeb = static_cast<int32_t>(pp5[0][fix_t]);
    const int32_t nfin = static_cast<int32_t>(pp5[static_cast<std::size_t>(nkept - 1)][fix_t]);
    int32_t ntot = nfin - ndeb + 1;
    resample_by_scheme(scheme, nkept, ntot, pp5, c.seconds, false);
    c.seconds.resize(static_cast<std::size_t>(ntot));
    c.converted = true;
    return c;
}

double damage_reach_s(const std::vector<Raw_fix>& sound) {
    std::vector<double> steps;
    for (std::size_t i = 1; i < sound.size(); ++i)
        steps.push_back(static_cast<double>(seconds_of(sound[i])) - static_cast<double>(seconds_of(sound[i - 1])));
    if (steps.empty()) return 5.0;
    std::nth_element(steps.begin(), steps.begin() + static_cast<std::ptrdiff_t>(steps.size() / 2), steps.end());
    return std::max(5.0, 10.0 * steps[steps.size() / 2]);
}

std::string damage_problem(const std::vector<Raw_fix>& sound, const Damaged_track& damaged, int32_t scheme) {
    return damage_problem(sound, convert_fixes(sound, scheme), damaged, scheme);
}

std::string damage_problem(const std::vector<Raw_fix>& sound, const Converted& want, const Damaged_track& damaged,
                           int32_t scheme) {
    const Converted got = convert_fixes(damaged.fixes, scheme);
    std::ostringstream problem;
    if (!want.converted || want.left_out != 0) return "the sound track does not convert whole";
    if (damaged.damaged.empty()) {
        if (got.converted && got.left_out == 0 && got.seconds.size() == want.seconds.size() &&
            std::equal(got.seconds.begin(), got.seconds.end(), want.seconds.begin(), same_fix))
            return "";
        return "nothing damaged, yet the flight differs";
    }
    if (!got.converted) return "not converted";

    const double reach = damage_reach_s(sound);
    std::vector<double> hit;  // the damaged fixes' own times
    for (std::size_t i : damaged.damaged) hit.push_back(seconds_of(sound[i]));
    const auto near = [&](double s) {
        const auto at = std::lower_bound(hit.begin(), hit.end(), s - reach);
        return at != hit.end() && *at <= s + reach;
    };
    // The resampled fixes come in growing seconds.
    const auto at_second = [](const std::vector<track_fix>& seconds, float s) -> const track_fix* {
        const auto at = std::lower_bound(seconds.begin(), seconds.end(), s,
                                         [](const track_fix& f, float v) { return f[fix_t] < v; });
        return at != seconds.end() && (*at)[fix_t] == s ? &*at : nullptr;
    };
    for (const track_fix& f : want.seconds) {
        if (near(f[fix_t])) continue;
        const track_fix* g = at_second(got.seconds, f[fix_t]);
        if (!g)
            problem << "second " << f[fix_t] << " missing; ";
        else if (!same_fix(*g, f))
            problem << "second " << f[fix_t] << " is " << fix_text(*g) << ", not " << fix_text(f) << "; ";
    }
    for (const track_fix& f : got.seconds)
        if (!near(f[fix_t]) && !at_second(want.seconds, f[fix_t]))
            problem << "second " << f[fix_t] << " added: " << fix_text(f) << "; ";

    // A few damaged times move neither end by more than the reach; a
    // block moves an end as far as the block and a stray piece beyond it,
    // which the seconds above hold to.
    if (damaged.block == 0) {
        const auto moved = [&](const char* end, float at, float from) {
            if (std::fabs(at - from) > reach)
                problem << end << " at " << at << ", not within " << reach << " s of " << from << "; ";
        };
        moved("first", got.seconds.front()[fix_t], want.seconds.front()[fix_t]);
        moved("last", got.seconds.back()[fix_t], want.seconds.back()[fix_t]);
    }

    // The fixes left out are counted: every fix of a block but one, and a
    // time damaged out of reach of its own.
    int32_t least = damaged.block > 0 ? static_cast<int32_t>(damaged.block) - 1 : 0;
    for (std::size_t i : damaged.damaged) {
        const float t = seconds_of(damaged.fixes[i]);
        if (!std::isfinite(t) || std::fabs(static_cast<double>(t) - seconds_of(sound[i])) > reach) least = std::max(least, 1);
    }
    // Beside the damaged fixes, at most a stray piece on either side.
    const int32_t most = static_cast<int32_t>(damaged.damaged.size()) + 2 * (max_stray_piece_fixes + 1);
    if (got.left_out < least || got.left_out > most)
        problem << got.left_out << " fixes left out, not " << least << " to " << most << "; ";
    return problem.str();
}
