// The engine's disc-file layer over the disc drive, checked against the file's
// own bytes. Input: a count of operations (at most 16), a repeat count for the
// content, four bytes per operation, then the content; the file is the content
// repeated, so that small inputs make files big enough for direct transfers.
// Every read must deliver the file's bytes from the position it started at, and
// all of them unless a transfer was made to fail.
#include <algorithm>
#include <vector>

#include "console/dvd/dvd_control.h"
#include "fuzz/fuzz_world.h"
#include "orblib47/source/Heap.h"
#include "orblib47/source/NGC/File.h"

namespace {

constexpr std::size_t kMaxOps = 16;
constexpr std::size_t kOpSize = 4;
constexpr std::size_t kMaxFile = 128 * 1024;
constexpr u32 kMaxPolls = 100000;
const char kName[] = "FUZZ.BIN";

struct Op {
    u8 kind, a, b, c;
    u32 Length() const { return (u32(a) << 8 | b) * (c & 0x80 ? 4 : 1); }
    u32 Misalignment() const { return c & 31; }
};

class Session {
public:
    explicit Session(std::vector<u8> file) : file_(std::move(file)) {}

    void Run(s32 fid, const Op& op) {
        switch (op.kind % 6) {
            case 0:
                Read(fid, op, false);
                break;
            case 1:
                Read(fid, op, true);
                break;
            case 2:
                FileSeek(fid, s32(s16(u16(op.a << 8 | op.b))) * 16, op.c % 3);
                break;
            case 3:
                HostDVDFailTransfers(1 + op.c % 2);
                failing_ = true;
                break;
            case 4:
                Load();
                break;
            case 5: {
                // A second user of the file keeps a position of its own.
                const s32 other = FileOpen(kName);
                if (other == 0)
                    fuzz::Fail("the file cannot be opened a second time");
                Read(other, op, false);
                FileClose(other);
                break;
            }
        }
    }

private:
    u32 Position(s32 fid) const { return u32(FileGetSize(fid) - FileGetRemaining(fid)); }

    void Read(s32 fid, const Op& op, bool async) {
        const u32 length = op.Length();
        const u32 offset = op.Misalignment();
        auto* block = static_cast<u8*>(HeapMalloc(length + offset, __FILE_NAME__, __LINE__));
        if (block == nullptr)
            return;
        const u32 start = Position(fid);
        s32 result = 0;
        if (async) {
            FileReadBytesAsync(fid, block + offset, length);
            u32 polls = 0;
            while (!FileReadStatus(fid)) {
                if (++polls == kMaxPolls)
                    fuzz::Fail("an async read never completed");
            }
            result = FileGetReadError(fid) == 0 ? s32(Position(fid) - start) : 0;
        } else {
            result = FileReadBytes(fid, block + offset, length);
        }
        const u32 delivered = Position(fid) - start;
        const u32 expected = std::min<u32>(length, u32(file_.size()) - start);
        if (delivered > expected ||
            !std::equal(block + offset, block + offset + delivered, file_.begin() + start))
            fuzz::Fail("a read delivered bytes that are not the file's");
        if (!failing_ && (delivered != expected || result != s32(expected)))
            fuzz::Fail("a read without a failed transfer came back short");
        HeapMallocFree(block);
    }

    void Load() {
        u32 size = 0;
        void* image = FileLoad(kName, &size);
        if (image == nullptr) {
            if (!failing_)
                fuzz::Fail("the whole file could not be loaded");
            return;
        }
        const auto* bytes = static_cast<const u8*>(image);
        if (size != file_.size() || !std::equal(bytes, bytes + size, file_.begin()))
            fuzz::Fail("the whole-file load is not the file");
        HeapMallocFree(image);
    }

    std::vector<u8> file_;
    bool failing_ = false;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const u8* data, std::size_t size) {
    if (size < 2)
        return 0;
    const std::size_t ops = std::min<std::size_t>(data[0] % (kMaxOps + 1), (size - 2) / kOpSize);
    const std::size_t repeats = 1 + data[1];
    const u8* content = data + 2 + ops * kOpSize;
    const std::size_t contentSize = size - 2 - ops * kOpSize;
    std::vector<u8> file;
    for (std::size_t i = 0; i < repeats && file.size() + contentSize <= kMaxFile; ++i)
        file.insert(file.end(), content, content + contentSize);

    fuzz::Input input;
    fuzz::WriteDiscFile(kName, file);
    const s32 fid = FileOpen(kName);
    if (fid == 0)
        fuzz::Fail("the file cannot be opened");
    Session session(std::move(file));
    for (std::size_t i = 0; i < ops; ++i) {
        const u8* op = data + 2 + i * kOpSize;
        session.Run(fid, {op[0], op[1], op[2], op[3]});
    }
    FileClose(fid);
    HostDVDFailTransfers(0);
    return 0;
}
