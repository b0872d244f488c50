#include "protocol/ReadDeviceConfig.h"

#include "device/DeviceManager.h"
#include "profiles/ConfigKeys.h"
#include "protocol/DeviceExchange.h"
#include "protocol/ProfileValues.h"
#include "protocol/ReportRates.h"
#include "protocol/SettingWrites.h"
#include "protocol/SettingsCommands.h"

namespace vellomir {

namespace {

void ReadReportRate(int profile) {
    const auto reply = QueryDevice(command::kQueryReportRate);
    if (!reply) return;
    const int rate = DecodeReportRateReply(*reply);
    WriteProfileInt(profile, config_key::kReportRate, rate);
    WriteProfileInt(profile, config_key::kReportRateWireless, rate);
}

void ReadDpiStages(int profile, int sensor) {
    const auto reply = QueryDevice(command::kQueryDpiStages);
    if (!reply) return;
    const DpiStagesReply stages = DecodeDpiStagesReply(sensor, *reply);
    WriteProfileInt(profile, config_key::kDpiFlag, stages.count);
    WriteProfileInt(profile, config_key::kDpiCount, stages.count);
    WriteProfileInt(profile, config_key::kDpiIndex, stages.index);
    for (int i = 0; i < kDpiStagesSent; ++i) {
        if (stages.values[i]) WriteProfileInt(profile, config_key::DpiValue(i), *stages.values[i]);
    }
}

void ReadDpiColours(int profile) {
    const auto reply = QueryDevice(command::kQueryDpiColours);
    if (!reply) return;
    const auto colours = DecodeDpiColoursReply(*reply);
    for (int i = 0; i < kDpiStagesSent; ++i) {
        WriteProfileInt(profile, config_key::DpiColor(i), static_cast<int>(colours[i]));
    }
}

void ReadSensor(int profile) {
    const auto reply = QueryDevice(command::kQuerySensor);
    if (!reply) return;
    const SensorReply sensor = DecodeSensorReply(*reply);
    WriteProfileInt(profile, config_key::kLiftoffHeight, sensor.liftoffHeight);
    WriteProfileInt(profile, config_key::kSensorFlag, sensor.sensorFlag);
}

void ReadPower(int profile) {
    const auto reply = QueryDevice(command::kQueryPower);
    if (!reply) return;
    const PowerSettings power = DecodePowerReply(*reply);
    WriteProfileInt(profile, config_key::kSleepLight, power.sleepLight);
    WriteProfileInt(profile, config_key::kMoveWakeup, power.moveWakeup);
    WriteProfileInt(profile, config_key::kMoveCloseLight, power.moveCloseLight);
    WriteProfileInt(profile, config_key::kButtonRespondTime, power.buttonResponseTime);
}

void ReadReceiverVersion(const ProtocolContext& context) {
    const auto reply = QueryDevice(command::kQueryReceiverVersion);
    if (!reply) return;
    const std::string version = DecodeReceiverVersion(*reply);
    context.state.SetReceiverVersion(version);
    context.view.ShowReceiverVersion(version);
}

}  // namespace

void ShowStoredBattery(const ProtocolContext& context, int level) {
    const int type = DeviceManager::Instance().GetCurrentType();
    context.view.SetBatteryInfo(context.state.BatteryB(), level);
    context.view.SetDeviceBattery(type, context.state.BatteryA(), level);
}

bool ReadDeviceConfig(const ProtocolContext& context, DpiTableVariant variant) {
    DeviceManager& manager = DeviceManager::Instance();
    const bool linkUp = variant == DpiTableVariant::kLinkUp;
    if (!linkUp) ShowStoredBattery(context, 100);

    const std::optional<DeviceRecord> record = manager.GetCurrentRecord();
    const int type = manager.GetCurrentType();
    if (record) {
        const DeviceInfo info = DecodeDeviceInfo(record->info);
        const SensorDpiRange range = SensorDpiRangeFor(info.sensor, variant);
        context.state.SetSensor(info.sensor, range);
        context.view.ShowDpiRange(range);
        context.state.SetReportRateCapability(ReportRateCapability(info.highestRate));
        context.state.SetBattery(info.batteryA, info.batteryB);
        context.view.SetBatteryInfo(info.batteryB, info.batteryA);
        context.view.SetDeviceBattery(type, info.batteryA, info.batteryB);
        context.state.SetMouseLinked(info.linked);
    }
    if (!record || context.state.MouseLinked() == 0) {
        context.CommunicationFailed();
        return false;
    }

    if (!context.state.MarkTypeRead(type)) return true;
    QueryDevice(command::kPrepareRead);  // the mouse gets ready for the reads; its reply says nothing

    const int profile = context.state.CurrentProfile();
    ReadReportRate(profile);
    ReadDpiStages(profile, context.state.SensorCode());
    ReadDpiColours(profile);
    if (const auto light = QueryDevice(command::kQueryLight)) StoreLightReply(context, profile, *light);
    ReadSensor(profile);
    ReadPower(profile);
    if (!linkUp && manager.GetConnectionKind() == kConnectionReceiver) ReadReceiverVersion(context);
    return true;
}

}  // namespace vellomir
