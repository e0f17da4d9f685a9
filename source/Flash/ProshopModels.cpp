// The pro shop's preview: the bowler wearing the item under the cursor, or the
// ball, and what the bowler really wears put back on.
#include "source/Career/TempCACInfo.h"
#include "source/Flash/FlashLocals.h"
#include "source/Flash/ProshopFlash.h"
#include "source/Flash/ProshopInternal.h"
#include "source/Flash/ShellLights.h"

namespace {

// With nothing from the shop worn, the look keeps what the bowler was made with;
// a shop item worn when the shop opened hid it.
s32 BaseLook(s32 wornAtOpen, s32 lookAtOpen) {
    return wornAtOpen == -1 ? lookAtOpen : -1;
}

}  // namespace

void CareerProshopDrawEvent(s32 handle, SFP_SCREEN_INFO_t*, char*) {
    if (CCareerProshopFlash* owner = FlashOwner<CCareerProshopFlash>(handle))
        owner->Draw();
}

void CCareerProshopFlash::RestoreEquippedItems(s32 skipModels) {
    for (u32 type = 0; type < EQUIP_TYPE_COUNT; ++type)
        RestoreEquippedItem(EquipType(type), skipModels);
    g_TempCACInfo.charAttribs = ShopModel().m_CharacterAttributes;
    ShopCareer().SetCareerAttributes(ShopModel().m_CharacterAttributes);
}

void CCareerProshopFlash::RestoreEquippedItem(EquipType type, s32 skipModels) {
    const s_Character_Equipment& worn = *ShopCareer().GetEquipment();
    CPlayerConstruction& model = ShopModel();
    s_Character_Attributes& look = model.m_CharacterAttributes;
    switch (type) {
        case EQUIP_TYPE_ACC:
            ShopGuard().UpdateGuardModel(ShopTextureOf(worn.Acc1, -1));
            break;
        case EQUIP_TYPE_GLASSES:
            look.glasses = ShopTextureOf(
                worn.Glasses, BaseLook(m_OriginalEquipment.Glasses, m_OriginalPlayerAttributes.glasses));
            if (!skipModels)
                model.UpdateGlassesModel();
            break;
        case EQUIP_TYPE_HAT:
            look.hat =
                ShopTextureOf(worn.Hat, BaseLook(m_OriginalEquipment.Hat, m_OriginalPlayerAttributes.hat));
            if (!skipModels) {
                model.UpdateHatModel();
                model.SwapHatTexture();
            }
            break;
        case EQUIP_TYPE_SHIRT: {
            const s32 oldShirtType = look.shirtType;
            const s_DBItem* shirt = FindDbItem(worn.Shirt);
            look.shirtType = shirt != nullptr ? shirt->m_SubType : m_OriginalPlayerAttributes.shirtType;
            model.CheckShirtColorAttributes();
            look.shirtColor = shirt != nullptr ? shirt->m_TextureID : m_OriginalPlayerAttributes.shirtColor;
            if (!skipModels) {
                RebuildBody(oldShirtType);
                model.SwapShirtTexture();
            }
            break;
        }
        case EQUIP_TYPE_SHOES:
            look.shoes = ShopTextureOf(worn.Shoe, m_OriginalPlayerAttributes.shoes);
            if (!skipModels)
                model.SwapShoesTexture();
            break;
        default:
            break;
    }
}

void CCareerProshopFlash::RebuildBody(s32 oldShirtType) {
    if (ShopModel().m_CharacterAttributes.shirtType != oldShirtType)
        ShopModel().UpdateBodyTypeModel();  // plays the idle animation again
}

void CCareerProshopFlash::UpdateItemModels() {
    if (Item.GetIndex() == -1)
        return;
    CPlayerConstruction& model = ShopModel();
    s_Character_Attributes& look = model.m_CharacterAttributes;
    const s32 texture = Item.GetTextureID();
    switch (Item.GetEquipType()) {
        case EQUIP_TYPE_BALL:
            m_BallConstruction.UpdateBallTexture(texture, 0);
            break;
        case EQUIP_TYPE_SHIRT: {
            const s32 oldShirtType = look.shirtType;
            look.shirtColor = texture;
            look.shirtType = Item.m_Item.m_SubType;
            model.CheckShirtColorAttributes();
            RebuildBody(oldShirtType);
            model.SwapShirtTexture();
            break;
        }
        case EQUIP_TYPE_SHOES:
            look.shoes = texture;
            model.SwapShoesTexture();
            break;
        case EQUIP_TYPE_HAT:
            look.hat = texture;
            model.UpdateHatModel();
            model.SwapHatTexture();
            break;
        case EQUIP_TYPE_GLASSES:
            look.glasses = texture;
            model.UpdateGlassesModel();
            break;
        case EQUIP_TYPE_ACC:
            ShopGuard().UpdateGuardModel(texture);
            break;
        default:
            break;
    }
}

void CCareerProshopFlash::Draw() {
    ShellPreviewBegin(eShellLightUsage_ProShop);
    CPlayerConstruction& model = ShopModel();
    if (m_bDisplayBodyModel != 0) {
        if (model.GetBodyTypeModel() == nullptr)
            return;
        if (m_fRotation != 0.0f)
            model.SetRotationY(m_fRotation);
        model.SetTranslation(m_vCurrModelPos.x, m_vCurrModelPos.y, m_vCurrModelPos.z);
        model.DrawFE();
        ShopGuard().Draw(model.GetBodyTypeModel());
    } else if (m_bDisplayBallModel != 0) {
        m_BallConstruction.Draw();
    }
}
