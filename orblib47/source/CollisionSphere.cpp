#include "orblib47/source/CollisionSphere.h"

#include "orblib47/source/Debug.h"
#include "orblib47/source/Heap.h"

namespace {

// A zero-filled block of `count` records, null for none or when the heap is full.
template <typename T>
T* AllocRecords(u32 count) {
    if (count == 0)
        return nullptr;
    return static_cast<T*>(HeapCalloc(count, sizeof(T), __FILE_NAME__, __LINE__));
}

// The set's list is indexed through `link`, so one that leaves the list, or closes
// a capsule with the sphere itself, stands alone.
s8 CheckedLink(s8 link, u32 index, u32 count) {
    if (link < 0 || u32(link) >= count || u32(link) == index)
        return COLLISION_NO_LINK;
    return link;
}

template <typename Point>
void Fill(Point& point, const s_model_collision_sphere& record, u32 index, u32 count) {
    point.relative = {record.offset.x, record.offset.y, record.offset.z, 0.0f};
    point.boneId = u8(record.boneId);
    point.link = CheckedLink(record.link, index, count);
    point.group = record.group;
}

// Each point's world position from its bone's world matrix.
template <typename Point>
void UpdatePoints(Point* points, u32 count, const s_hmatrix* header) {
    for (Point* point = points; point != points + count; ++point) {
        if (point->boneId >= header->numBones)
            continue;
        Matrix4MultPoints(&header->boneList[point->boneId].worldMatrix, &point->world, &point->relative, 1);
    }
}

u32 RecordCount(s32 count) {
    return count > 0 ? u32(count) : 0;
}

}  // namespace

s_collision_info* CollisionLoad(const s_model* model) {
    auto* info = AllocRecords<s_collision_info>(1);
    if (info == nullptr) {
        DEBUG_PRINT("Player: Unable to allocate COLLISION_INFO structure\n");
        return nullptr;
    }
    info->world = IDMatrix4;
    const u32 count = RecordCount(model->numCollisionSpheres);
    info->sphereList = AllocRecords<s_collision_sphere>(count);
    if (count != 0 && info->sphereList == nullptr) {
        DEBUG_PRINT("Player: Unable to allocate COLLISION_SPHERE structures\n");
        return info;
    }
    info->numSpheres = count;
    for (u32 i = 0; i < count; ++i) {
        const s_model_collision_sphere& record = model->collisionSphereList[i];
        s_collision_sphere& sphere = info->sphereList[i];
        Fill(sphere, record, i, count);
        sphere.radius = record.radius;
    }
    return info;
}

void CollisionFree(s_collision_info* cinfo) {
    if (cinfo == nullptr)
        return;
    if (cinfo->sphereList != nullptr)
        HeapMallocFree(cinfo->sphereList);
    HeapMallocFree(cinfo);
}

void CollisionUpdate(s_collision_info* info, const s_hmatrix* header, const s_Matrix4* world) {
    info->world = *world;
    UpdatePoints(info->sphereList, info->numSpheres, header);
}

s_link_point_info* LinkPointsLoad(const s_model* model) {
    auto* info = AllocRecords<s_link_point_info>(1);
    if (info == nullptr) {
        DEBUG_PRINT("Player: Unable to allocate LINK_POINT_INFO structure\n");
        return nullptr;
    }
    info->world = IDMatrix4;
    const u32 count = model->numLinkPoints;
    info->linkPointList = AllocRecords<s_link_point>(count);
    if (count != 0 && info->linkPointList == nullptr) {
        DEBUG_PRINT("Player: Unable to allocate LINK_POINT structures for link points\n");
        return info;
    }
    info->numLinkPoints = count;
    for (u32 i = 0; i < count; ++i)
        Fill(info->linkPointList[i], model->linkPointList[i], i, count);
    return info;
}

void LinkPointsFree(s_link_point_info* linfo) {
    if (linfo == nullptr)
        return;
    if (linfo->linkPointList != nullptr)
        HeapMallocFree(linfo->linkPointList);
    HeapMallocFree(linfo);
}

void LinkPointsUpdate(s_link_point_info* info, const s_hmatrix* header, const s_Matrix4* world) {
    if (info == nullptr) {
        DEBUG_PRINT("LinkPointsUpdate: NULL info\n");
        return;
    }
    info->world = *world;
    UpdatePoints(info->linkPointList, info->numLinkPoints, header);
}
