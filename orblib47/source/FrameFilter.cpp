// The frame filter: its mode, its two tasks and the working textures of the mode
// that is set.
#include "orblib47/source/FrameFilter.h"

#include "orblib47/source/Debug.h"
#include "orblib47/source/OrbThread.h"
#include "orblib47/source/Texture.h"

COrbFrameFilter OrbFrameFilter;

namespace {

constexpr u32 kUpdatePriority = 4600;
constexpr u32 kDrawPriority = 4599;

void UpdateThread(s_thread*, void* record) {
    static_cast<COrbFrameFilter*>(record)->Update();
}

void DrawThread(s_thread*, void* record) {
    static_cast<COrbFrameFilter*>(record)->Draw();
}

void Kill(s_thread*& task) {
    if (task != nullptr)
        ThreadKill(task);
    task = nullptr;
}

// The draw state the filters run in, put back when it goes: no depth writes or
// test (the composite lies over the whole picture), no stencil stage (plain
// textures), and the given write mask (setting the stencil mode sets one too).
class FilterDrawState {
public:
    explicit FilterDrawState(u32 mask)
        : mask_(DrawContext.rgbaMask),
          zWrite_(DrawSetZBufferWrite(0)),
          zMode_(DrawSetZBufferMode(DC_ZMODE_ALWAYS)),
          stencil_(DrawFrameFilterEnable(1)) {
        DrawSetRgbaMask(mask);
    }
    ~FilterDrawState() {
        DrawSetStencilMode(stencil_);
        DrawSetRgbaMask(mask_);
        DrawSetZBufferMode(zMode_);
        DrawSetZBufferWrite(zWrite_);
    }
    FilterDrawState(const FilterDrawState&) = delete;
    FilterDrawState& operator=(const FilterDrawState&) = delete;

private:
    u32 mask_;
    s32 zWrite_;
    e_ZBUF_MODE zMode_;
    e_STENCIL_MODE stencil_;
};

void FreeTextures(s_ORB_FILTER_MODE_DEF& filter) {
    for (s_ORB_FILTER_TEXTURE& t : filter.textureList) {
        TextureFree(t.texture);
        t.texture = nullptr;
    }
}

}  // namespace

s32 COrbFrameFilter::ColdReset() {
    return 0;
}

void COrbFrameFilter::WarmReset() {
    *this = {};
    m_UpdatePriority = kUpdatePriority;
    m_DrawPriority = kDrawPriority;
    for (s_ORB_FILTER_MODE_DEF& filter : OrbFilterModes)
        for (s_ORB_FILTER_TEXTURE& t : filter.textureList)
            t.texture = nullptr;
}

e_ORB_FILTER_MODE COrbFrameFilter::Set(e_ORB_FILTER_MODE mode) {
    const e_ORB_FILTER_MODE previous = m_Mode;
    if (mode == ORB_FILTER_MODE_USER_DEFINED) {
        DebugAssertWarn("FALSE", __FILE_NAME__, __LINE__,
                        "Attempted to set a user defined frame filter incorrectly, use SetUserDefined "
                        "instead.\n");
        return previous;
    }
    if (mode < ORB_FILTER_MODE_NONE || mode >= ORB_FILTER_MODE_COUNT) {
        DEBUG_PRINT("COrbFrameFilter::Set: no frame filter mode %d\n", s32(mode));
        return previous;
    }
    if (mode != m_Mode) {
        m_Mode = mode;
        SetFilter(mode == ORB_FILTER_MODE_NONE ? nullptr : &OrbFilterModes[mode - ORB_FILTER_MODE_TEST]);
    }
    return previous;
}

void COrbFrameFilter::SetFilter(s_ORB_FILTER_MODE_DEF* filter) {
    // Every working texture goes with its mode: made once, not once a frame.
    if (m_Filter != nullptr)
        FreeTextures(*m_Filter);
    m_Filter = filter;
    if (filter != nullptr) {
        if (m_UpdateThreadPtr == nullptr)
            m_UpdateThreadPtr = ThreadInsertPriorityDebug("COrbFrameFilter:UpdateThread", nullptr, this,
                                                          UpdateThread, nullptr, m_UpdatePriority);
        if (m_DrawThreadPtr == nullptr)
            m_DrawThreadPtr = ThreadInsertPriorityDebug("COrbFrameFilter:DrawThread", nullptr, this,
                                                        DrawThread, nullptr, m_DrawPriority);
    } else {
        Kill(m_UpdateThreadPtr);
        Kill(m_DrawThreadPtr);
    }
}

void COrbFrameFilter::Update() {
    if (m_Filter == nullptr)
        return;
    FilterDrawState state(0);
    // The commands read the picture as it stands after the 3-D passes.
    TextureReadFB();
    m_FBTexture = m_RenderTarget = TextureGetFBTexture();
    for (s32 i = 0; i < m_Filter->numCmds; ++i)
        RunCmd(&m_Filter->cmdList[i]);
    SetRenderTarget(m_FBTexture);
}

void COrbFrameFilter::Draw() {
    if (m_Filter == nullptr || m_FBTexture == nullptr)
        return;
    FilterDrawState state(DrawContext.rgbaMask);
    RunCmd(&m_Filter->drawCmd);
}

s_texture* COrbFrameFilter::GetTexture(e_ORB_FILTER_TEXTURE_TYPE type) {
    if (type == ORB_FILTER_TEXTURE_FB)
        return m_FBTexture;
    s_ORB_FILTER_TEXTURE& t = m_Filter->textureList[type];
    if (t.texture == nullptr) {
        const bool screen = t.width == 0;
        // Made blank: a new accumulation starts from black.
        t.texture = TextureAlloc(screen ? u32(DrawContext.screenSize.x) : t.width,
                                 screen ? u32(DrawContext.screenSize.y) : t.height, screen ? 32 : t.depth);
    }
    return t.texture;
}

void COrbFrameFilter::SetRenderTarget(s_texture* target) {
    if (target == m_RenderTarget)
        return;
    if (m_RenderTarget != m_FBTexture)
        DrawEndRenderToTexture();
    m_RenderTarget = target;
    if (target != m_FBTexture && DrawStartRenderToTexture(target) == 0)
        m_RenderTarget = m_FBTexture;
}

void COrbFrameFilter::RunCmd(const s_ORB_FILTER_CMD* cmd) {
    if (cmd->cmd == ORB_FILTER_CMD_NOP)
        return;
    s_texture* src = GetTexture(cmd->src);
    s_texture* dst = GetTexture(cmd->dst);
    if (src == nullptr || dst == nullptr)
        return;
    switch (cmd->cmd) {
        case ORB_FILTER_CMD_COPY:
            Copy(dst, src, &cmd->rect, &cmd->color, cmd->combine, cmd->flags);
            break;
        case ORB_FILTER_CMD_FILTER:
            Filter(dst, src, cmd->filter, cmd->flags);
            break;
        default: {
            const s32 index = cmd->cmd - ORB_FILTER_CMD_USER_FUNC1;
            if (index < 0 || index >= USER_FUNCS || m_userFuncTable[index] == nullptr)
                DebugAssertFail("m_userFuncTable[cmd->cmd - ORB_FILTER_CMD_USER_FUNC1]", __FILE_NAME__,
                                __LINE__, "OrbFrameFilter tried to use an undefined user func\n");
            SetRenderTarget(dst);
            s_texture* bound = DrawSetTexture(src);
            m_userFuncTable[index](dst, src, cmd->filter, cmd);
            DrawSetTexture(bound);
            break;
        }
    }
}
