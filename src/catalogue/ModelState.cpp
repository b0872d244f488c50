#include "catalogue/ModelState.h"

#include "common/Text.h"

namespace vellomir {

void ApplyModelDescription(const ModelDescription& description, ModelState& state) {
    if (description.lighting_page) state.lighting_page = *description.lighting_page;
    if (description.custom) {
        state.show_dpi_tips = description.custom->show_dpitips;
        state.show_save_tips = description.custom->show_savetips;
        state.show_lod = description.custom->show_lod;
        state.show_sensor = description.custom->show_sensor;
    }
    if (description.firmware_url) state.firmware_url = *description.firmware_url;
    if (description.keys) {
        state.keys.clear();
        state.keys.reserve(description.keys->size());
        for (const DescriptionKey& key : *description.keys)
            state.keys.push_back(MakeKeyDefinition(key));
    }
    for (int i = 0; i < kDescriptionLightEffects; ++i) {
        if (description.light_effects[i]) state.light_effects[i] = *description.light_effects[i];
    }
}

std::optional<PictureRect> ModelPictureRect(int clientWidth, int pictureWidth, int pictureHeight) {
    if (pictureWidth <= 1) return std::nullopt;
    return PictureRect{clientWidth - pictureWidth - 150, 120, pictureWidth, pictureHeight};
}

void ShowModelDescription(const ModelDescription& description, ModelView& view) {
    if (description.mouse_img) {
        const ModelView::Size size = view.SetModelPicture("device/" + *description.mouse_img);
        if (auto rect = ModelPictureRect(view.ClientWidth(), size.width, size.height)) {
            view.PlaceModelPicture(*rect);
        }
    }
    if (description.lighting_page) {
        view.ShowLightingTab(*description.lighting_page);
        view.LayoutPages();
    }
    if (description.custom) view.LayoutPages();
    if (description.keys) {
        view.ClearKeys();
        for (const DescriptionKey& key : *description.keys) {
            const int nameText = ReadDecimal(key.name);
            view.AddKeyLabel(nameText, key.key_value, key.direction, key.rect.From(), key.rect.To());
            view.AddKeyItem(nameText, ReadDecimal(key.func_desc), key.key_value);
        }
        view.FinishKeys(static_cast<int>(description.keys->size()));
    }
}

}  // namespace vellomir
