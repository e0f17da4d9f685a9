#include "orblib47/source/OrbRandom.h"

s_orb_random OrbRandom[2];
s_orb_random* OrbRandomPtr = &OrbRandom[0];
s32 OrbRandomListIdx = 0;

namespace {

constexpr int N = ORB_RANDOM_STATE_WORDS;
constexpr int M = 397;

u32 Twist(u32 u, u32 v) {
    const u32 mixed = ((u & 0x80000000u) | (v & 0x7FFFFFFFu)) >> 1;
    return (v & 1u) ? mixed ^ 0x9908B0DFu : mixed;
}

}  // namespace

void OrbRandColdReset() {
    for (s_orb_random& g : OrbRandom)
        g = s_orb_random{};
    OrbRandSetList(0);
}

void OrbSRand(u32 seed) {
    for (s_orb_random& g : OrbRandom) {
        g.state[0] = seed;
        g.lastSeed = seed;
        for (u32 i = 1; i < N; ++i)
            g.state[i] = 1812433253u * (g.state[i - 1] ^ (g.state[i - 1] >> 30)) + i;
        g.left = 1;
        g.seeded = 1;
    }
}

s32 OrbRandSetList(s32 i) {
    const s32 previous = OrbRandomListIdx;
    if (i == 0 || i == 1) {
        OrbRandomListIdx = i;
        OrbRandomPtr = &OrbRandom[i];
    }
    return previous;
}

void OrbRandNextState() {
    if (!OrbRandomPtr->seeded)
        OrbSRand(5489);
    s_orb_random& g = *OrbRandomPtr;
    u32* s = g.state;
    g.left = N;
    g.next = s;
    int k = 0;
    for (; k < N - M; ++k)
        s[k] = s[k + M] ^ Twist(s[k], s[k + 1]);
    for (; k < N - 1; ++k)
        s[k] = s[k + M - N] ^ Twist(s[k], s[k + 1]);
    s[N - 1] = s[M - 1] ^ Twist(s[N - 1], s[0]);
}

s32 OrbRand() {
    s_orb_random& g = *OrbRandomPtr;
    if (--g.left <= 0)
        OrbRandNextState();
    u32 y = *g.next++;
    y ^= y >> 11;
    y ^= (y << 7) & 0x9D2C5680u;
    y ^= (y << 15) & 0xEFC60000u;
    y ^= y >> 18;
    return s32(y >> 1);
}
