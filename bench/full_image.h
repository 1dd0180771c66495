#pragma once
// A full configuration for the benchmarks: every list filled (500 missed calls, 64 timers,
// ten recipients, every input message, the eight remote commands, the ten shortcuts, every
// Contact ID label, every Contact ID event to recipients 1 and 3).
#include <string>
#include <vector>

#include "config/cid_list.h"
#include "config/contact_id.h"
#include "config/design_config.h"
#include "config/input_messages.h"
#include "config/missed_calls.h"
#include "config/recipients.h"
#include "config/remote_control.h"
#include "config/shortcuts.h"
#include "config/timers.h"
#include "config/week_days.h"

namespace kvx::bench {

inline std::u16string Text(const std::string& Value) { return {Value.begin(), Value.end()}; }

inline TKVXConfig FullImage()
{
    TKVXConfig image = DesignConfig();
    for (size_t i = 0; i < RecipientCount; ++i) EncodeRecipient(image, i, Text("4477009001" + std::to_string(10 + i)));
    for (size_t slot = 0; slot < InputMessageCount; ++slot) EncodeInputMessage(image, slot, {true, Text("Input event " + std::to_string(slot)), 5});
    for (size_t i = 0; i < TimerCount; ++i)
        EncodeTimer(image, i, {Text("Timer " + std::to_string(i)), static_cast<uint8_t>(i % 24), static_cast<uint8_t>(i % 60),
                               EveryWeekDay, static_cast<uint8_t>(i % 8), static_cast<uint8_t>(i % 4 + 1), 0xFF});
    for (size_t i = 0; i < MissedCallCount; ++i) {
        TMissedCallLocation call;
        call.Number = Text("44770090" + std::to_string(1000 + i));
        call.TimeWindow = i % 2 == 0;
        call.StartHour = 7;
        call.StopHour = 19;
        call.WeekDays = Monday | Tuesday | Friday;
        call.Relay = static_cast<uint8_t>(i % 8);
        call.Action = static_cast<uint8_t>(3 | ConfirmationBit);
        call.Count = static_cast<uint8_t>(i % 10);
        EncodeMissedCall(image, i, call);
    }
    TRemoteCommands commands{};
    for (size_t i = 0; i < RemoteCommandCount; ++i)
        commands[i] = {Text("4477009005" + std::to_string(10 + i)), Text("$8642*rly" + std::to_string(i % 8 + 1) + "*on"),
                       {TRemoteTriggerKind::Input, static_cast<uint16_t>(i)}, {}};
    EncodeRemoteCommands(image, commands);
    for (size_t i = 0; i < ShortcutCount; ++i) EncodeShortcut(image, i, {Text("gate " + std::to_string(i)), Text("rly1*pls")});
    for (const TCIDLabelKind kind : {TCIDLabelKind::Partition, TCIDLabelKind::Zone, TCIDLabelKind::User})
        for (size_t i = 0; i < CIDLabelCount(kind); ++i) EncodeCIDLabel(image, kind, i, Text("Label " + std::to_string(i)));
    for (size_t entry = 0; entry < CIDReportingCapacity; ++entry) EncodeCIDReportingMask(image, entry, 0x0005);
    return image;
}

inline std::vector<TCIDEvent> ShippedEvents(const char* CIDListFile)
{
    return LoadCIDList(CIDListFile, CIDReportingCapacity).Events;
}

} // namespace kvx::bench
