#include "source/StateMgrs/State.h"

#include <algorithm>

#include "orblib47/source/Debug.h"

void State::Transition(s32 depth, s32 state) {
    ORB_ASSERT(depth >= 0 && depth < STATE_MAX_DEPTH, "State: depth %d out of range!\n", depth);
    m_value[depth] = state;
    std::fill(m_value + depth + 1, m_value + STATE_MAX_DEPTH, 0);
}
