// The windowed latency benchmark's arithmetic on a wave writer made here.
#include <gtest/gtest.h>

#include <cmath>

#include "SoundTraceTiming.h"

namespace {

constexpr int kRate = 8000;
constexpr long long kPeriod = 256;
constexpr long long kWriterStartNs = 5'000'000'000;

long long nsOf(long long samples) { return samples * 1'000'000'000LL / kRate; }

// The clock the writer shows at `ns`: every period whose end has come is mixed.
long long clockAt(long long ns) { return (ns - kWriterStartNs) * kRate / 1'000'000'000LL / kPeriod * kPeriod; }

std::vector<float> chirp()
{
    std::vector<float> sound(600);
    for (std::size_t i = 0; i < sound.size(); ++i) sound[i] = 0.5f * std::sin(0.3f * i + 0.0005f * i * i);
    return sound;
}

}  // namespace

TEST(SoundTraceTiming, EachSoundIsTimedFromItsFrameToThePeriodHoldingItsFirstSampleMixed)
{
    // Frames starting this long after the writer began, each sound played 2 ms
    // later; the third's play call just missed its period. The last frame
    // starts as a period is mixed: the writer's start is known exactly.
    const struct { long long frameNs; long long lateBy; } rows[] = {
        {40'000'000, 0}, {402'000'000, 0}, {761'000'000, kPeriod}, {1'120'000'000, 0},
    };
    std::vector<float> mix(2 * kRate);  // a hum as loud as the sound under everything
    for (std::size_t i = 0; i < mix.size(); ++i) mix[i] = 0.15f * std::sin(0.05f * i);
    SoundTraceFile trace{kRate, {}};
    const std::vector<float> sound = chirp();
    for (const auto& row : rows) {
        TracedSound s{0, "chirp.wav", 1.0f, 0, 0, kWriterStartNs + row.frameNs, kWriterStartNs + row.frameNs + 2'000'000};
        s.frameStartSample = clockAt(s.frameStartNs);
        s.playSample = clockAt(s.playNs);
        for (std::size_t i = 0; i < sound.size(); ++i) mix[s.playSample + row.lateBy + i] += 0.3f * sound[i];
        trace.sounds.push_back(s);
    }
    const auto clock = writerClockOf(trace);
    ASSERT_TRUE(clock);
    EXPECT_EQ(clock->period, kPeriod);
    EXPECT_EQ(clock->startNs, kWriterStartNs);
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        const TracedSound& s = trace.sounds[i];
        const TimedSound timed = timeSound(s, mix, sound, *clock);
        const long long begins = s.playSample + rows[i].lateBy;
        EXPECT_EQ(timed.onset.sample, begins) << i;
        EXPECT_EQ(timed.firstPeriod, rows[i].lateBy == 0) << i;
        const double mixedAt = static_cast<double>(kWriterStartNs + nsOf(begins + kPeriod) - s.frameStartNs);
        EXPECT_NEAR(timed.latencyMs, mixedAt / 1e6, 1e-3) << i;
    }
}
