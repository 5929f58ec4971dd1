#include "sim/solve/LevelSolver.h"

#include <algorithm>
#include <chrono>
#include <map>
#include <memory>
#include <queue>
#include <thread>

#include "sim/frame/GameSession.h"
#include "sim/run/HeadlessRun.h"

namespace {

// Measured peaks at gravity 50 (docs/levels.md); every height and distance
// scales with gravity.
constexpr float kSinglePeak = 12.08f, kDoublePeak = 22.05f, kDoubleReach = 66.6f, kMeasuredGravity = 50.0f;
constexpr int kHighestSecondPress = 2;

// A run that ends with the character settled on a top.
struct State {
    std::shared_ptr<const std::vector<KeyMask>> keys;
    size_t surface = 0;
    bool powerUpUsed = false;
    int stage = 0;
    std::vector<size_t> route;  // the tops it settled on, in order
    long order = 0;  // ties between equal frame counts go to the earlier found
    int frames() const { return static_cast<int>(keys->size()); }
};

struct LaterFirst {
    bool operator()(const State& a, const State& b) const
    {
        return a.frames() != b.frames() ? a.frames() > b.frames() : a.order > b.order;
    }
};

// The moves worth trying from a state, in a fixed order.
std::vector<MoveAttempt> movesFrom(const State& state, const LevelSurfaces& level)
{
    const float scale = level.gravity / kMeasuredGravity;
    const float singlePeak = kSinglePeak * scale, doublePeak = kDoublePeak * scale, reach = kDoubleReach * scale;
    const LevelSurfaces::Surface& from = level.surfaces[state.surface];
    std::vector<MoveAttempt> moves;
    const auto add = [&](const JumpPilot::Target& target, float rise) {
        if (rise < singlePeak - 1.5f) moves.push_back({state.keys.get(), target, {0, 0}});
        if (rise > 0.0f) moves.push_back({state.keys.get(), target, {kHighestSecondPress, 0}});
    };
    // The goal first: the sphere's centre must come within the goal's radius.
    const float goalRise = level.goal.y - level.goalRadius - (from.top() + 1.0f);
    if (goalRise <= doublePeak && from.gapTo(level.goal.x, level.goal.z) <= reach)
        add({level.goal - glm::vec3(0.0f, 1.0f, 0.0f), glm::vec3(0.0f), true}, std::max(goalRise, 0.5f));
    if (level.powerUp && !state.powerUpUsed)
        if (const auto under = level.topUnder(level.powerUp->x, level.powerUp->z)) {
            const LevelSurfaces::Surface& top = level.surfaces[*under];
            const float rise = top.top() - from.top();
            if (rise <= doublePeak && from.gapTo(top) <= reach)
                add({glm::vec3(level.powerUp->x, top.top(), level.powerUp->z), top.half, false}, rise);
        }
    for (size_t i = 0; i < level.surfaces.size(); ++i) {
        const LevelSurfaces::Surface& to = level.surfaces[i];
        const float rise = to.top() - from.top();
        if (i == state.surface || rise > doublePeak || from.gapTo(to) > reach) continue;
        add({to.centre + glm::vec3(0.0f, to.half.y, 0.0f), to.half, false}, rise);
    }
    return moves;
}

// Plays every attempt; results in the attempts' order whatever the threads.
std::vector<MoveResult> runAll(const LevelFiles& files, const LevelSurfaces& level,
                               const std::vector<MoveAttempt>& attempts, unsigned threads, const StopSignal& stop)
{
    std::vector<MoveResult> results(attempts.size());
    std::atomic<size_t> next{0};
    const auto work = [&] {
        for (size_t i; (i = next.fetch_add(1)) < attempts.size();)
            results[i] = runMoveAttempt(files, level, attempts[i], stop);
    };
    const unsigned helpers = std::min<size_t>(threads, attempts.size()) > 0
                                 ? static_cast<unsigned>(std::min<size_t>(threads, attempts.size())) - 1
                                 : 0;
    std::vector<std::thread> pool;
    for (unsigned t = 0; t < helpers; ++t) pool.emplace_back(work);
    work();
    for (std::thread& t : pool) t.join();
    return results;
}

}  // namespace

SolveResult solveLevel(const LevelFiles& files, const SolveLimits& limits,
                       const std::function<void(const SolveProgress&)>& progress)
{
    const auto started = std::chrono::steady_clock::now();
    StopSignal stop{limits.stop, std::nullopt};
    if (!limits.frames)
        stop.deadline = started + std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                                      std::chrono::duration<double>(limits.seconds));
    const unsigned threads = limits.threads ? limits.threads : std::max(1u, std::thread::hardware_concurrency());

    LevelSurfaces level;
    State start;
    {
        HeadlessRun run(files.settingsPath, files.levelPath);
        level = LevelSurfaces::of(run.session());
        start.surface = level.topUnder(run.session().character.getPosition().x,
                                       run.session().character.getPosition().z)
                            .value_or(level.surfaces.size() - 1);
    }
    start.keys = std::make_shared<const std::vector<KeyMask>>();
    start.route = {start.surface};

    SolveResult result;
    result.reached.highestSurface = level.surfaces[start.surface].name;
    result.reached.highestTop = level.surfaces[start.surface].top();
    std::map<std::pair<size_t, bool>, int> earliest{{{start.surface, false}, 0}};
    std::priority_queue<State, std::vector<State>, LaterFirst> open;
    open.push(start);
    long order = 1;
    std::optional<int> bestWin;
    bool cutShort = false;  // by the budget or Ctrl-C, with states left to expand

    while (!open.empty()) {
        const State state = open.top();
        open.pop();
        if (earliest[{state.surface, state.powerUpUsed}] < state.frames()) continue;  // a faster way was found
        if (bestWin && state.frames() >= *bestWin) break;  // nothing from here can win sooner
        if ((limits.frames && result.reached.simulated >= *limits.frames) || stop.raised()) {
            cutShort = true;
            break;
        }

        const std::vector<MoveAttempt> attempts = movesFrom(state, level);
        const std::vector<MoveResult> results = runAll(files, level, attempts, threads, stop);
        if (std::any_of(results.begin(), results.end(),
                        [](const MoveResult& r) { return r.kind == MoveResult::Kind::Stopped; })) {
            cutShort = true;  // a round cut short by the clock or Ctrl-C counts for nothing
            break;
        }
        result.attempts += static_cast<int>(attempts.size());
        for (size_t i = 0; i < results.size(); ++i) {
            const MoveResult& r = results[i];
            result.reached.simulated += r.simulated;
            result.closestToGoal = std::min(result.closestToGoal, r.closestToGoal);
            if (r.kind == MoveResult::Kind::Won && (!bestWin || r.frames() < *bestWin)) {
                bestWin = r.frames();
                result.keys = *state.keys;
                result.route.clear();
                for (const size_t top : state.route) result.route.push_back(level.surfaces[top].name);
                result.route.push_back(attempts[i].target.isGoal ? "the goal" : "the goal (on the way)");
                result.keys.insert(result.keys.end(), r.moveKeys.begin(), r.moveKeys.end());
            }
            if (r.kind != MoveResult::Kind::Settled) continue;
            const auto key = std::make_pair(r.surface, r.powerUpUsed);
            if (const auto known = earliest.find(key); known != earliest.end() && known->second <= r.frames()) continue;
            earliest[key] = r.frames();
            auto keys = std::make_shared<std::vector<KeyMask>>(*state.keys);
            keys->insert(keys->end(), r.moveKeys.begin(), r.moveKeys.end());
            std::vector<size_t> route = state.route;
            route.push_back(r.surface);
            open.push({std::move(keys), r.surface, r.powerUpUsed, state.stage + 1, std::move(route), order++});
            const LevelSurfaces::Surface& top = level.surfaces[r.surface];
            if (top.top() > result.reached.highestTop) {
                result.reached.highestTop = top.top();
                result.reached.highestSurface = top.name;
                result.reached.stage = state.stage + 1;
            }
        }
        result.reached.secondsUsed =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
        if (progress) progress(result.reached);
    }
    result.reached.secondsUsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    if (limits.stop && limits.stop->load()) {
        result.outcome = SolveResult::Outcome::Stopped;
        return result;
    }
    if (bestWin) {
        result.outcome = SolveResult::Outcome::Won;
        result.winFrame = *bestWin;
    } else {
        result.exhausted = !cutShort;
    }
    return result;
}
