#include "host/processing/free_station.h"

#include <algorithm>
#include <cmath>

namespace processing {
namespace {

struct Fit {
    double x = 0, y = 0, orientation = 0;
};

// The measured plan of a target in the instrument's frame.
void Local(const FreeTarget& t, double& px, double& py) {
    px = t.hd * std::cos(t.hz);
    py = t.hd * std::sin(t.hz);
}

// Least-squares rotation and shift of the targets marked in `use`.
std::optional<Fit> FitRigid(std::span<const FreeTarget> ts, const std::vector<bool>& use) {
    double n = 0, lx = 0, ly = 0, kx = 0, ky = 0;
    for (size_t i = 0; i < ts.size(); ++i) {
        if (!use[i])
            continue;
        double px, py;
        Local(ts[i], px, py);
        lx += px, ly += py, kx += ts[i].x, ky += ts[i].y, n += 1;
    }
    if (n < 2)
        return std::nullopt;
    lx /= n, ly /= n, kx /= n, ky /= n;
    double dot = 0, cross = 0;
    for (size_t i = 0; i < ts.size(); ++i) {
        if (!use[i])
            continue;
        double px, py;
        Local(ts[i], px, py);
        px -= lx, py -= ly;
        const double qx = ts[i].x - kx, qy = ts[i].y - ky;
        dot += px * qx + py * qy;
        cross += px * qy - py * qx;
    }
    if (dot == 0 && cross == 0)
        return std::nullopt;
    Fit f;
    f.orientation = std::atan2(cross, dot);
    const double c = std::cos(f.orientation), s = std::sin(f.orientation);
    f.x = kx - (lx * c - ly * s);
    f.y = ky - (lx * s + ly * c);
    return f;
}

double Miss(const FreeTarget& t, const Fit& f, double& rx, double& ry) {
    double px, py;
    Local(t, px, py);
    const double c = std::cos(f.orientation), s = std::sin(f.orientation);
    rx = t.x - (f.x + px * c - py * s);
    ry = t.y - (f.y + px * s + py * c);
    return std::hypot(rx, ry);
}

size_t Agreeing(std::span<const FreeTarget> ts, const Fit& f, double reject,
                std::vector<bool>& use) {
    size_t n = 0;
    for (size_t i = 0; i < ts.size(); ++i) {
        double rx, ry;
        use[i] = Miss(ts[i], f, rx, ry) <= reject;
        n += use[i] ? 1 : 0;
    }
    return n;
}

}  // namespace

std::optional<FreeResult> SolveFreeStation(std::span<const FreeTarget> ts, double instrument_height,
                                           double reject) {
    const size_t n = ts.size();
    if (n < 2)
        return std::nullopt;
    std::vector<bool> use(n, true);
    if (n >= 3) {
        // Pairs spread over the list propose a solution each; the one most targets agree with
        // wins, so a few blunders (or a group from another set-up) cannot pull the fit away.
        const size_t step = std::max<size_t>(1, n / 32);
        std::vector<bool> best, trial(n), pair(n, false);
        size_t best_count = 0;
        for (size_t i = 0; i < n; i += step) {
            for (size_t j : {(i + 1) % n, (i + n / 2) % n}) {
                if (j == i)
                    continue;
                pair[i] = pair[j] = true;
                std::optional<Fit> f = FitRigid(ts, pair);
                pair[i] = pair[j] = false;
                if (!f)
                    continue;
                const size_t count = Agreeing(ts, *f, reject, trial);
                if (count > best_count)
                    best_count = count, best = trial;
            }
        }
        if (best_count >= 2)
            use = best;
        // Refit on the agreeing targets until the set stays the same.
        for (int round = 0; round < 5; ++round) {
            std::optional<Fit> f = FitRigid(ts, use);
            if (!f)
                break;
            std::vector<bool> next(n);
            if (Agreeing(ts, *f, reject, next) < 2 || next == use)
                break;
            use = next;
        }
    }
    std::optional<Fit> fit = FitRigid(ts, use);
    if (!fit)
        return std::nullopt;

    FreeResult r;
    r.x = fit->x;
    r.y = fit->y;
    r.orientation = fit->orientation;
    r.targets.resize(n);
    double hsum = 0;
    int hn = 0;
    for (size_t i = 0; i < n; ++i) {
        r.targets[i].used = use[i];
        Miss(ts[i], *fit, r.targets[i].rx, r.targets[i].ry);
        if (use[i] && ts[i].h && ts[i].dh) {
            hsum += *ts[i].h - *ts[i].dh + ts[i].target_height - instrument_height;
            ++hn;
        }
    }
    if (hn > 0) {
        r.h = hsum / hn;
        for (size_t i = 0; i < n; ++i)
            if (ts[i].h && ts[i].dh)
                r.targets[i].rh =
                    *ts[i].h - (*r.h + instrument_height + *ts[i].dh - ts[i].target_height);
    }
    return r;
}

}  // namespace processing
