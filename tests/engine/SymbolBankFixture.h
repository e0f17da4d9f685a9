// Sound by symbol ids, as the effect systems play it: a bank of the test's sounds is
// the default bank, and symbols 0, 1, ... translate to its sounds 0, 1, ...
#pragma once

#include <vector>

#include "orblib47/source/SpatialSfx.h"
#include "orblib47/source/SymbolTrans.h"
#include "tests/engine/SoundFixture.h"
#include "tools/discbuild/SymTableWriter.h"

class SymbolBankFixture : public SoundFixture {
protected:
    // In SetUp, after SoundFixture::SetUp.
    void UseBank(const char* name, const std::vector<discbuild::SfxSound>& sounds) {
        std::vector<u32> symbols;
        for (u32 i = 0; i < sounds.size(); ++i)
            symbols.push_back(i);
        const std::vector<u8> table = discbuild::SymTableImage(symbols);
        ASSERT_EQ(SymbolTransLoadImage(table.data(), u32(table.size())), RET_NO_ERROR);
        before_ = Heaps();  // the table lives for the test
        bank_ = Load(name, sounds);
        SfxSetDefaultBank(bank_);
    }
    // In TearDown, before SoundFixture::TearDown: every positional record and sound
    // gone, then the bank.
    void DropBank() {
        while (auto* record = static_cast<s_spatial_sfx*>(SpatialSfxRecords->next))
            SpatialSfxFree(record);
        SfxStopAll();
        RunAudioFrames(2);
        SfxSetDefaultBank(nullptr);
        SfxFree(bank_);
    }

    s_sfx_bank* bank_ = nullptr;
};
