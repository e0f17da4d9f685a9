#include "tools/discbuild/WrlWriter.h"

#include "tools/discbuild/ChunkOut.h"

namespace discbuild {

std::vector<u8> WrlPayload(const WrlWorld& world) {
    ChunkOut out(kWrlHeaderSize);
    out.Patch(4, u32(world.atoms.size()));
    out.Patch(8, out.Size());
    for (const WrlAtom& atom : world.atoms) {
        out.Floats(atom.matrix.element, 16);
        out.Floats(atom.center.data(), 3);
        out.Float(0.0f);
        out.Word(atom.groupId);
        out.Word(0xFFFFFFFFu);  // prevModel: no choice yet
        out.Word(atom.flags);
        out.Word(0);
    }
    out.Patch(12, OctreeAppend(out.Data(), world.octTree ? &*world.octTree : nullptr));
    out.Patch(16, out.Size());
    out.Text(world.name, u32(world.name.size()) + 1);
    out.Align(4);
    return out.Take();
}

}  // namespace discbuild
