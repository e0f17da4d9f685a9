// Shared set-up of the GX front-half tests: a fresh console and GX, and a tap
// that keeps every primitive's transformed vertices.
#pragma once

#include <vector>

#include "console/gx.h"
#include "console/gx/gx_control.h"
#include "console/gx/gx_state.h"
#include "tests/console/support.h"

namespace gxtest {

struct Primitive {
    GXPrimitive type;
    std::vector<console::gx::RasterVertex> vertices;
};

class GXFrontTest : public ConsoleTest {
protected:
    void SetUp() override {
        ConsoleTest::SetUp();
        console::gx::GXReset();
        GXInit(fifo_, sizeof fifo_);
        HostGXSetVertexTap(Keep, &primitives);
    }
    void TearDown() override {
        HostGXSetVertexTap(nullptr, nullptr);
        ConsoleTest::TearDown();
    }

    // Position (f32 xyz) and colour 0 (RGBA8) in format 0.
    static void PositionColorFormat() {
        GXClearVtxDesc();
        GXSetVtxDesc(GX_VA_POS, GX_DIRECT);
        GXSetVtxDesc(GX_VA_CLR0, GX_DIRECT);
    }

    std::vector<Primitive> primitives;

private:
    static void Keep(GXPrimitive type, const console::gx::RasterVertex* v, u32 count, void* context) {
        static_cast<std::vector<Primitive>*>(context)->push_back(Primitive{type, {v, v + count}});
    }
    alignas(32) u8 fifo_[256];
};

}  // namespace gxtest
