// The engine's language setting: one bit per language, from the most significant bit.
#pragma once

#include "orblib47/source/OrbTypes.h"

using u_LANGUAGE = u32;

class COrbLanguage {
public:
    static constexpr u_LANGUAGE American = 0x80000000u;
    static constexpr u_LANGUAGE English = 0x40000000u;
    static constexpr u_LANGUAGE Spanish = 0x20000000u;
    static constexpr u_LANGUAGE Italian = 0x10000000u;
    static constexpr u_LANGUAGE German = 0x08000000u;
    static constexpr u_LANGUAGE French = 0x04000000u;
    static constexpr u_LANGUAGE Japanese = 0x02000000u;

    e_error_code ColdReset();
    u_LANGUAGE Get() const { return m_Language; }

private:
    u_LANGUAGE m_Language = American;
};

extern COrbLanguage OrbLanguage;
