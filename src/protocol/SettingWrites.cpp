#include "protocol/SettingWrites.h"

#include <chrono>
#include <thread>

#include "profiles/ConfigKeys.h"
#include "protocol/DeviceExchange.h"
#include "protocol/KeyWrites.h"
#include "protocol/ProfileValues.h"
#include "protocol/SettingsCommands.h"
#include "storage/LightStore.h"

namespace vellomir {

namespace {

WriteResult Send(const ProtocolContext& context, const Request& request) {
    if (SendRequest(request)) return WriteResult::kSent;
    context.CommunicationFailed();
    return WriteResult::kFailed;
}

}  // namespace

WriteResult WriteLight(const ProtocolContext& context) {
    const int profile = context.state.CurrentProfile();
    const int mode = context.state.CurrentLightMode();
    LightSetting setting;
    if (!GetLight(profile, mode, setting)) return WriteResult::kNotSent;
    LightEffect light;
    light.mode = mode;
    light.brightness = setting.brightness;
    light.speed = setting.speed;
    for (std::size_t i = 0; i < light.colours.size(); ++i) {
        light.colours[i] = static_cast<std::uint32_t>(setting.color_value[i]);
    }
    return Send(context, EncodeLight(light));
}

WriteResult WriteDpiStages(const ProtocolContext& context) {
    const int profile = context.state.CurrentProfile();
    DpiStageSettings stages;
    stages.count = ReadProfileInt(profile, config_key::kDpiCount);
    stages.index = ReadProfileInt(profile, config_key::kDpiIndex);
    for (int i = 0; i < kDpiStagesSent; ++i)
        stages.values[i] = ReadProfileInt(profile, config_key::DpiValue(i));
    const SensorDpiRange range = context.state.DpiRange();
    return Send(context, EncodeDpiStages(context.state.SensorCode(), range.lowest, range.highest, stages));
}

WriteResult WriteDpiColours(const ProtocolContext& context) {
    const int profile = context.state.CurrentProfile();
    std::array<std::uint32_t, kDpiStagesSent> colours{};
    for (int i = 0; i < kDpiStagesSent; ++i) {
        colours[i] = static_cast<std::uint32_t>(ReadProfileInt(profile, config_key::DpiColor(i)));
    }
    return Send(context, EncodeDpiColours(colours));
}

WriteResult WriteReportRate(const ProtocolContext& context) {
    return Send(context,
                EncodeReportRate(ReadProfileInt(context.state.CurrentProfile(), config_key::kReportRate)));
}

WriteResult WriteSensor(const ProtocolContext& context) {
    const int profile = context.state.CurrentProfile();
    return Send(context, EncodeSensor(ReadProfileInt(profile, config_key::kLiftoffHeight),
                                      ReadProfileInt(profile, config_key::kSensorFlag)));
}

WriteResult WritePower(const ProtocolContext& context) {
    const int profile = context.state.CurrentProfile();
    PowerSettings power;
    power.sleepLight = ReadProfileInt(profile, config_key::kSleepLight);
    power.moveWakeup = ReadProfileInt(profile, config_key::kMoveWakeup);
    power.moveCloseLight = ReadProfileInt(profile, config_key::kMoveCloseLight);
    power.buttonResponseTime = ReadProfileInt(profile, config_key::kButtonRespondTime);
    return Send(context, EncodePower(power));
}

void StoreLightReply(const ProtocolContext& context, int profile, const Frame& reply) {
    const LightReply light = DecodeLightReply(reply);
    context.state.SetCurrentLightMode(light.mode);
    SetActiveLightMode(profile, light.mode);
    LightSetting setting;
    if (!GetLight(profile, light.mode, setting)) return;
    setting.brightness = light.brightness;
    setting.speed = light.speed;
    UpdateLight(light.mode, setting);
}

bool ResetLight(const ProtocolContext& context) {
    SendRequest(EncodeLightReset());
    // The mouse needs a moment before it answers with the restored effect.
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    const auto reply = QueryDevice(command::kQueryLight);
    if (reply) StoreLightReply(context, context.state.CurrentProfile(), *reply);
    context.view.RefreshLightPage();
    return reply.has_value();
}

void SendFactoryReset(const ProtocolContext& context) {
    context.state.ForgetReadTypes();
    SendRequest(EncodeFactoryReset());
}

int WriteAll(const ProtocolContext& context, bool modelHasLights) {
    int failed = 0;
    const auto count = [&failed](WriteResult result) {
        if (result == WriteResult::kFailed) ++failed;
    };
    count(WriteKeys(context).keyTable);
    if (modelHasLights) count(WriteLight(context));
    count(WriteDpiStages(context));
    count(WriteDpiColours(context));
    count(WriteReportRate(context));
    count(WriteSensor(context));
    count(WritePower(context));
    return failed;
}

}  // namespace vellomir
