// The game's sound effects and its two short loops (rolling, the void's hum),
// synthesised from sweeps, filtered noise and bell partials.
#include <cmath>
#include <string>

#include "Random.h"
#include "SoundSynth.h"
#include "Sounds.h"

namespace {

constexpr int R = kEffectRate;
constexpr double kEffectPeakDb = -3.0;

// A chirp whose pitch rises: the first jump a fifth lower than the second.
Signal jump(double fromHz, double toHz)
{
    Signal s = sweep(fromHz, toHz, 0.22, R);
    Signal air = filteredNoise(0.22, 3000.0, 11, R);
    mixInto(s, air, 0, 0.25);
    shapeAttackDecay(s, 0.01, 14.0, R);
    return s;
}

// A dull thud: a falling low sine under a short burst of dark noise.
Signal landing()
{
    Signal s = sweep(140.0, 50.0, 0.35, R);
    Signal dust = filteredNoise(0.35, 900.0, 21, R);
    shapeAttackDecay(dust, 0.002, 30.0, R);
    shapeAttackDecay(s, 0.004, 11.0, R);
    mixInto(s, dust, 0, 1.2);
    return s;
}

// A hollow knock: two inharmonic partials, short.
Signal bump()
{
    Signal s = sweep(320.0, 180.0, 0.25, R);
    Signal knock = sweep(870.0, 610.0, 0.25, R);
    mixInto(s, knock, 0, 0.4);
    Signal click = filteredNoise(0.25, 4000.0, 31, R);
    shapeAttackDecay(click, 0.001, 80.0, R);
    shapeAttackDecay(s, 0.002, 22.0, R);
    mixInto(s, click, 0, 0.6);
    return s;
}

// An upward arpeggio of bells.
Signal arpeggio(const double* notes, int count, double step, double decay, double tail)
{
    Signal s(samplesFor(step * count + tail, R), 0.0);
    for (int i = 0; i < count; ++i) {
        Signal note = bell(notes[i], step + tail, 5, decay, R);
        shapeAttackDecay(note, 0.003, 0.0, R);
        mixInto(s, note, samplesFor(step * i, R), 0.6);
    }
    return s;
}

Signal powerUp()
{
    const double notes[] = {523.25, 659.25, 783.99, 1046.5};
    Signal s = arpeggio(notes, 4, 0.06, 7.0, 0.35);
    Signal shimmer = sweep(1200.0, 2400.0, 0.55, R);
    shapeAttackDecay(shimmer, 0.05, 6.0, R);
    mixInto(s, shimmer, 0, 0.15);
    return s;
}

Signal goal()
{
    const double notes[] = {392.0, 523.25, 659.25, 783.99, 1046.5, 1318.5};
    return arpeggio(notes, 6, 0.09, 3.5, 1.0);
}

Signal newBest()
{
    const double notes[] = {659.25, 783.99, 987.77, 1318.5, 987.77, 1318.5, 1567.98};
    return arpeggio(notes, 7, 0.075, 4.0, 0.8);
}

// A long falling whistle into a low rumble.
Signal voidReached()
{
    Signal s = sweep(900.0, 60.0, 1.2, R);
    Signal rumble = filteredNoise(1.2, 200.0, 41, R);
    for (std::size_t i = 0; i < s.size(); ++i) {
        const double t = static_cast<double>(i) / s.size();
        s[i] = s[i] * (1.0 - t) + rumble[i] * 3.0 * t;
    }
    shapeAttackDecay(s, 0.02, 1.5, R);
    return s;
}

// Two short tones: down for pause, up for resume.
Signal twoTones(double first, double second)
{
    Signal s(samplesFor(0.28, R), 0.0);
    Signal a = bell(first, 0.14, 3, 18.0, R);
    Signal b = bell(second, 0.14, 3, 18.0, R);
    shapeAttackDecay(a, 0.003, 0.0, R);
    shapeAttackDecay(b, 0.003, 0.0, R);
    mixInto(s, a, 0, 0.7);
    mixInto(s, b, samplesFor(0.12, R), 0.7);
    return s;
}

// A rising whoosh of noise and a sweep: the level begins again.
Signal restart()
{
    Signal s = filteredNoise(0.5, 2500.0, 51, R);
    Signal rise = sweep(200.0, 800.0, 0.5, R);
    mixInto(s, rise, 0, 0.5);
    for (std::size_t i = 0; i < s.size(); ++i) {
        const double t = static_cast<double>(i) / s.size();
        s[i] *= std::sin(kPi * t);
    }
    return s;
}

// "Ready": a bright double beep.
Signal ready()
{
    Signal s(samplesFor(0.4, R), 0.0);
    Signal beep = bell(880.0, 0.2, 4, 10.0, R);
    shapeAttackDecay(beep, 0.003, 0.0, R);
    mixInto(s, beep, 0, 0.6);
    Signal high = bell(1760.0, 0.2, 4, 10.0, R);
    shapeAttackDecay(high, 0.003, 0.0, R);
    mixInto(s, high, samplesFor(0.15, R), 0.6);
    return s;
}

Signal menuTick(double hz, double seconds)
{
    Signal s = bell(hz, seconds, 3, 30.0, R);
    shapeAttackDecay(s, 0.002, 0.0, R);
    return s;
}

// Rolling: low rumble whose partials all complete whole cycles in the loop,
// with a little amplitude wobble at whole cycles too, so the end meets the start.
Signal rollLoop()
{
    const double seconds = 1.0;
    Signal s(samplesFor(seconds, R), 0.0);
    Random random(61);
    for (int cycles = 40; cycles <= 400; cycles += 3) {
        const double amplitude = 1.0 / (1.0 + cycles / 60.0);
        const double phase = random.uniform() * 2.0 * kPi;
        for (std::size_t i = 0; i < s.size(); ++i) {
            const double t = static_cast<double>(i) / s.size();
            s[i] += amplitude * std::sin(2.0 * kPi * cycles * t + phase);
        }
    }
    for (std::size_t i = 0; i < s.size(); ++i) {
        const double t = static_cast<double>(i) / s.size();
        s[i] *= 0.75 + 0.25 * std::sin(2.0 * kPi * 6.0 * t);
    }
    return s;
}

// The void's hum: a low drone with a slow beat, whole cycles over two seconds.
Signal voidHum()
{
    const double seconds = 2.0;
    Signal s(samplesFor(seconds, R), 0.0);
    const int cycles[] = {110, 111, 165, 220, 331};  // 55 Hz and its neighbours, in cycles per loop
    const double amplitude[] = {1.0, 0.8, 0.35, 0.25, 0.12};
    for (int k = 0; k < 5; ++k)
        for (std::size_t i = 0; i < s.size(); ++i) {
            const double t = static_cast<double>(i) / s.size();
            s[i] += amplitude[k] * std::sin(2.0 * kPi * cycles[k] * t);
        }
    return s;
}

}  // namespace

bool writeSounds(const std::string& folder)
{
    struct OneShot {
        const char* name;
        Signal signal;
    };
    OneShot shots[] = {
        {"jump.wav", jump(330.0, 660.0)},
        {"double_jump.wav", jump(495.0, 990.0)},
        {"landing.wav", landing()},
        {"bump.wav", bump()},
        {"powerup.wav", powerUp()},
        {"goal.wav", goal()},
        {"new_best.wav", newBest()},
        {"void_reached.wav", voidReached()},
        {"pause.wav", twoTones(660.0, 440.0)},
        {"resume.wav", twoTones(440.0, 660.0)},
        {"restart.wav", restart()},
        {"ready.wav", ready()},
        {"menu_move.wav", menuTick(1200.0, 0.06)},
        {"menu_select.wav", menuTick(1500.0, 0.15)},
        {"menu_back.wav", menuTick(700.0, 0.12)},
    };
    bool ok = true;
    for (OneShot& shot : shots) {
        finishOneShot(shot.signal, kEffectPeakDb, R);
        ok &= writeSound(folder + "/" + shot.name, shot.signal, R);
    }
    Signal roll = rollLoop();
    finishLoop(roll, kEffectPeakDb);
    ok &= writeSound(folder + "/roll_loop.wav", roll, R);
    Signal hum = voidHum();
    finishLoop(hum, kEffectPeakDb);
    ok &= writeSound(folder + "/void_hum_loop.wav", hum, R);
    return ok;
}
