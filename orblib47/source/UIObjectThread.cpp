#include "orblib47/source/DrawContext.h"
#include "orblib47/source/DrawPrim.h"
#include "orblib47/source/Font.h"
#include "orblib47/source/Mouse.h"
#include "orblib47/source/UIObject.h"
#include "orblib47/source/UIObjectInternal.h"

namespace {

bool HasFocus(const s_ui_object* object) {
    return object != nullptr && (object->flags & UI_OBJ_FLAG_FOCUS) != 0;
}

// Serves the list from `object` on; a modal object ends it.
void UIPass(s_ui_object* object) {
    for (; object != nullptr; object = object->next) {
        if ((object->flags & kUIObjectClosed) != 0)
            continue;  // closed earlier in this pass: its links still lead on
        if ((object->flags & UI_OBJ_FLAG_CLOSE) != 0) {
            UIObjectClose(object);
            continue;
        }
        if ((object->flags & UI_OBJ_FLAG_ACTIVE) != 0) {
            if (Mouse.connected != 0) {
                if (UIMouseWithin(&object->rect))
                    UIDisableMouse = 1;
                UIObjectEvent(object, UI_OBJ_EVENT_MOUSE_UI);
            }
            if ((object->flags & kUIObjectClosed) == 0 && (HasFocus(object) || HasFocus(object->parent)))
                UIObjectEvent(object, UI_OBJ_EVENT_PAD_UI);
        }
        if (object->childNext != nullptr && (object->flags & kUIObjectClosed) == 0) {
            const s32 x = Mouse.analog[MOUSE_X];
            const s32 y = Mouse.analog[MOUSE_Y];
            Mouse.analog[MOUSE_X] = x - object->rect.x;
            Mouse.analog[MOUSE_Y] = y - object->rect.y;
            UIObjectUpdateChildFocus(object);
            UIPass(object->childNext);
            Mouse.analog[MOUSE_X] = x;
            Mouse.analog[MOUSE_Y] = y;
        }
        if ((object->flags & UI_OBJ_FLAG_MODAL) != 0) {
            UIDisableMouse = 1;
            return;
        }
    }
}

s_ui_object* FirstModal() {
    for (s_ui_object* object = UIObjectList.next; object != nullptr; object = object->next) {
        if ((object->flags & UI_OBJ_FLAG_MODAL) != 0)
            return object;
    }
    return nullptr;
}

void DrawObject(s_ui_object* object) {
    if ((object->flags & UI_OBJ_FLAG_ACTIVE) != 0) {
        FontSetDefaults(object->font);
        FontSetScale(object->scale.x, object->scale.y);
        object->systemFunc(object, UI_OBJ_EVENT_DRAW);
        if (object->userFunc != nullptr)
            object->userFunc(object, UI_OBJ_EVENT_DRAW);
    }
    if (object->childNext != nullptr) {
        const s_Vector2 origin = UIObjectPos;
        UIObjectPos.x = f32(s32(origin.x) + object->rect.x);
        UIObjectPos.y = f32(s32(origin.y) + object->rect.y);
        UIObjectDraw(object->childNext);
        UIObjectPos = origin;
    }
}

}  // namespace

void UIObjectDraw(s_ui_object* first) {
    if (first == nullptr)
        return;
    s_ui_object* object = first;
    while (object->next != nullptr)
        object = object->next;
    for (;; object = object->prev) {
        DrawObject(object);
        if (object == first)
            return;
    }
}

void UIObjectThreadFunc(s_thread*, void*) {
    if (UIStatusEnabled == 0)
        return;
    UIDisableMouse = 0;
    UIObjectPassRunning = 1;
    if (s_ui_object* modal = FirstModal()) {
        UIPass(modal);
    } else {
        UIObjectUpdateFocus();
        UIPass(UIObjectList.next);
    }
    UIObjectPassRunning = 0;
    UIObjectFreeClosed();
    if (UIObjectList.next == nullptr)
        return;  // nothing to draw: the frame's render state stays as the game left it

    const s_depth_offset depthOffset = DrawDepthOffset;
    DrawSetDepthOffset(0.0f, 0.0f);
    DrawSetProjection(DC_PROJ_ORTHO);
    DrawSetTexture(nullptr);
    const e_ZBUF_MODE zMode = DrawSetZBufferMode(DC_ZMODE_ALWAYS);
    DrawSetConstantZ(0.0f);
    const e_POLYGON_MODE polygonMode = DrawSetPolygonMode(DC_POLY_DRAW_FILL);
    const e_COMBINE_MODE combineMode = DrawSetCombineMode(DC_COMBINE_ALPHA);
    const s32 fog = DrawEnableFog(0);
    UIObjectDraw(UIObjectList.next);
    DrawEnableFog(fog);
    DrawSetZBufferMode(zMode);
    DrawSetPolygonMode(polygonMode);
    DrawSetDepthOffset(depthOffset.factor, depthOffset.offset);
    DrawSetCombineMode(combineMode);
}
