#include "tools/discbuild/PatWriter.h"

#include <stdexcept>

#include "tools/discbuild/ChunkOut.h"

namespace discbuild {

namespace {

constexpr u32 kNameField = 16;

}  // namespace

std::vector<u8> PatPayload(const ParticleDef& def) {
    if (def.spriteSet.size() > kNameField)
        throw std::invalid_argument("pat: sprite set name longer than 16 characters: " + def.spriteSet);
    ChunkOut out;
    out.Word(0);
    out.Word(def.type);
    out.Word(u32(def.numElement));
    out.Float(def.maxAge);
    out.Float(def.elemStartTime);
    out.Float(def.elemMaxAge);
    out.Word(def.flags);
    out.Word(def.updateRate);
    out.Word(def.spriteType);
    out.Word(u32(def.combineMode));
    out.Float(def.depthOffset);
    out.Word(def.priority);
    out.Word(u32(def.dataId));
    out.Text(def.spriteSet, kNameField);
    out.Word(0);
    out.Floats(def.userArgs.data(), u32(def.userArgs.size()));
    out.Vector4(def.area);
    out.Vector4(def.colorStart);
    out.Vector4(def.colorMid);
    out.Vector4(def.colorEnd);
    out.Vector4({});
    out.Vector4(def.elemMinVel);
    out.Vector4(def.elemMaxVel);
    out.Vector4(def.magnetPos);
    out.Float(def.magnetForce);
    out.Float(0.0f);
    out.Float(def.elemSpeed);
    out.Float(def.elemSpeedMultiplier);
    out.Float(def.elemSize);
    out.Float(def.elemSizeMultiplier);
    out.Float(def.midTime);
    out.Float(0.0f);
    out.Float(0.0f);
    out.Float(def.gravity);
    out.Float(def.animCycles);
    out.Float(def.clipRadius);
    return out.Take();
}

}  // namespace discbuild
