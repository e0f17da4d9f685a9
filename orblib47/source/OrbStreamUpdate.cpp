// The stream manager's per-frame work: the finished callbacks and the fades, which
// run on real time and freeze while the game is paused.
#include "orblib47/source/NGC/FrameClock.h"
#include "orblib47/source/OrbLib.h"
#include "orblib47/source/OrbStreamInternal.h"

void COrbStreamManager::Update() {
    if (m_Enabled == 0)
        return;
    for (CLinkedList* node = StreamList; node != nullptr;) {
        auto* stream = static_cast<COrbStream*>(node);
        // Stopping frees this object and its child, which lies before it.
        node = node->m_Next;
        if ((stream->m_Flags & ORB_STREAM_IS_CHILD) != 0)
            continue;
        if (IsFinished(stream))
            OrbStreamFireEvent(stream);
        if (GamePaused() != 0 || stream->m_FadeTotalTime <= 0.0f)
            continue;
        const bool fadingIn = (stream->m_Flags & ORB_STREAM_IS_FADING_IN) != 0;
        bool done;
        if (fadingIn) {
            stream->m_FadeTime += RealDeltaTime;
            done = stream->m_FadeTime >= stream->m_FadeTotalTime;
        } else {
            stream->m_FadeTime -= RealDeltaTime;
            done = stream->m_FadeTime <= 0.0f;
        }
        if (!done) {
            s_VOLUME_MIX mix = stream->m_FadeVolumeMix;
            AudioSetVolumeMixScale(&mix, stream->m_FadeTime / stream->m_FadeTotalTime);
            SetVolume(stream, &mix);
            continue;
        }
        stream->m_FadeTime = stream->m_FadeTotalTime = 0.0f;
        if (fadingIn) {
            stream->m_Flags &= ~ORB_STREAM_IS_FADING_IN;
            SetVolume(stream, &stream->m_FadeVolumeMix);
        } else {
            stream->m_Flags &= ~ORB_STREAM_IS_FADING_OUT;
            Stop(stream, 0.0f);
        }
    }
}
