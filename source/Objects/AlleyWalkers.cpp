// The walkers' desire machine and the placing of the alley's bowler models.
#include <cmath>

#include "source/Objects/AlleyObjects.h"

namespace {

// Seconds a walker stands at a waypoint, by the waypoint's number: fixed, so that
// the alley's life draws nothing from the game's random generators.
constexpr f32 kRestSeconds[] = {2.0f, 0.5f, 3.0f, 1.0f};
constexpr f32 kDegreesPerRadian = 57.29578f;

}  // namespace

void CWalker::Start(const s_PATH* path, s32 start) {
    m_Path = path;
    m_Desire = WALKER_DESIRE_IDLE;
    m_Waypoint = path != nullptr && path->count > 0 ? start % s32(path->count) : 0;
    m_Rest = kRestSeconds[m_Waypoint % std::size(kRestSeconds)];
    if (path != nullptr && path->count > 0)
        m_Position = path->points[m_Waypoint].pos;
}

void CWalker::Update(f32 dt, f32 speed) {
    if (m_Path == nullptr || m_Path->count < 2)
        return;
    if (m_Desire == WALKER_DESIRE_IDLE) {
        m_Rest -= dt;
        if (m_Rest > 0.0f)
            return;
        m_Waypoint = (m_Waypoint + 1) % s32(m_Path->count);
        m_Desire = WALKER_DESIRE_WALK;
    }
    const s_Vector3& target = m_Path->points[m_Waypoint].pos;
    const f32 dx = target.x - m_Position.x;
    const f32 dy = target.y - m_Position.y;
    const f32 dz = target.z - m_Position.z;
    const f32 distance = std::sqrt(dx * dx + dy * dy + dz * dz);
    if (dx != 0.0f || dz != 0.0f)
        m_Heading = std::atan2(dx, dz) * kDegreesPerRadian;
    const f32 step = speed * dt;
    if (step >= distance) {
        m_Position = target;
        m_Desire = WALKER_DESIRE_IDLE;
        m_Rest = kRestSeconds[m_Waypoint % std::size(kRestSeconds)];
        return;
    }
    const f32 t = step / distance;
    m_Position.x += dx * t;
    m_Position.y += dy * t;
    m_Position.z += dz * t;
}

void AlleyFigure::Face(f32 degrees) {
    if (look == nullptr || degrees == heading)
        return;
    // The model's turn adds up.
    look->SetRotationY(degrees - heading);
    heading = degrees;
}

void AlleyFigure::Play(u32 animId) {
    if (look == nullptr || animId == anim)
        return;
    look->PlayAnim(animId, 1.0f, 0);
    anim = animId;
}

void AlleyFigure::Place(const s_Vector3& at) {
    if (look != nullptr)
        look->SetTranslation(at.x, at.y, at.z);
}

void AlleyFigure::Draw() {
    if (look != nullptr && look->GetBodyTypeModel() != nullptr)
        look->DrawFE();
}
