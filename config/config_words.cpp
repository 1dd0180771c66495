#include "config/config_words.h"

#include <algorithm>
#include <array>

#include "config/analogue_input.h"
#include "config/config_compare.h"
#include "config/config_words_builder.h"
#include "config/contact_id.h"
#include "config/distribution.h"
#include "config/general_setup.h"
#include "config/input_messages.h"
#include "config/missed_calls.h"
#include "config/page_captions.h"
#include "config/recipients.h"
#include "config/security_setup.h"
#include "config/sim_setup.h"
#include "config/text_fields.h"
#include "config/timers.h"
#include "config/page_names.h"
#include "config/value_words.h"
#include "image/utils.h"

namespace kvx {

namespace {

constexpr unsigned LastHour = 23;
constexpr unsigned LastMinute = 59;

void DescribeSIMSetup(TWordsBuilder& B, const TKVXConfig& C)
{
    B.Page(SIMSetupPageNo);
    B.Add(RowAndColumn(PrimarySIMCaption, MessageCentreNumberCaption), PhoneNumberText(DecodeServiceCentreNumber(C, TSIM::Primary)),
          "edMessageCentreNumber1", B.Range(C.SIM1ServiceCentreNumber));
    const bool secondary = DecodeSecondarySIMEnabled(C);
    B.Add(SecondarySIMCaption, std::string(OnOffWord(secondary)), "cbSecondarySIM", B.Range(C.SIM2Enable));
    // Without the secondary SIM the page shows no secondary number, and stores none.
    B.Add(RowAndColumn(SecondarySIMCaption, MessageCentreNumberCaption),
          PhoneNumberText(secondary ? DecodeServiceCentreNumber(C, TSIM::Secondary) : std::u16string()), "edMessageCentreNumber2",
          B.Range(C.SIM2ServiceCentreNumber));
}

void DescribeSecuritySetup(TWordsBuilder& B, const TKVXConfig& C)
{
    B.Page(SecuritySetupPageNo);
    const std::u16string pin = DecodeCommandPIN(C);
    B.Add(CommandPINCaption, pin.empty() ? std::string(EmptyWord) : Utf8Text(pin), "edPIN", B.Range(C.PIN));
    B.Add(SMSSenderVerifyCaption, std::string(OnOffWord(DecodeVerifySender(C))), "cbSMSSenderVerify", B.Range(C.VerifySender));
    const bool none = SameAccessPassword(C, ErasedConfig());
    B.Add(AccessPasswordCaption, none ? std::string(NoneWord) : "set", "edNewPassword", B.Range(C.LockArray)).Secret = true;
}

void DescribeGeneralSetup(TWordsBuilder& B, const TKVXConfig& C)
{
    B.Page(GeneralSetupPageNo);
    B.Add(UnitReportingNameCaption, QuotedOrEmpty(DecodeUnitID(C)), "edUnitID", B.Range(C.UnitID));
    const std::optional<TSelfTest> selfTest = DecodeSelfTest(C);
    B.Add(RowAndColumn(SelfTestCaption, MessageTimeCaption),
          selfTest ? TimeOfDayText(std::min<unsigned>(selfTest->Hours, LastHour), std::min<unsigned>(selfTest->Minutes, LastMinute))
                   : std::string(DisabledWord),
          "edHours", {static_cast<uint16_t>(B.Range(C.AutoTestTimeHours).Offset), 2});
    B.Add(RowAndColumn(SelfTestCaption, DaysOfWeekCaption), selfTest ? WeekDaysText(selfTest->WeekDays) : std::string(DisabledWord),
          "pnlSelfTest/cbMON", B.Range(C.DayOfWeek));
    const auto minutes = [](const TWordMSBFirst& Field) { return std::to_string(std::min(DecodeDelayMinutes(Field), DelayMinutesMaximum)); };
    B.Add(ACFailDelayCaption, minutes(C.ACFailTimeout), "edACFailDelay", B.Range(C.ACFailTimeout));
    B.Add(ACRestoreDelayCaption, minutes(C.ACRestoreTimeout), "edACRestoreDelay", B.Range(C.ACRestoreTimeout));
    B.Add(TamperCaption, C.TremmorCount == TamperDisabled ? std::string(DisabledWord) : std::to_string(C.TremmorCount), "edTamper",
          B.Range(C.TremmorCount));
    struct TChoice {
        TSerialInterface Interface;
        const char* Caption;
        const char* Button;
    };
    constexpr TChoice choices[] = {{TSerialInterface::Disabled, SerialDisabledCaption, "rbDisabled"},
                                   {TSerialInterface::IOExpander, SerialIOExpanderCaption, "rbIOExpander"},
                                   {TSerialInterface::DSC, SerialDSCCaption, "rbDSC"}};
    const TSerialInterface serial = DecodeSerialInterface(C);
    const TChoice& chosen = *std::find_if(std::begin(choices), std::end(choices), [serial](const TChoice& c) { return c.Interface == serial; });
    B.Add(SerialOptionsCaption, chosen.Caption, chosen.Button, B.Range(C.SerialInterface));
}

void DescribeRecipients(TWordsBuilder& B, const TKVXConfig& C)
{
    B.Page(MessageRecipientsPageNo);
    for (size_t i = 0; i < RecipientCount; ++i)
        B.Add("Recipient " + std::to_string(i + 1), PhoneNumberText(DecodeRecipient(C, i)), "edRecipient" + std::to_string(i),
              B.Range(C.ReportingNumbers, i * 16, 16));
}

// A threshold as its edit shows it: in its edit's range, with two decimals.
std::string Threshold(unsigned Hundredths, unsigned Minimum, unsigned Maximum)
{
    return HundredthsText(std::clamp(Hundredths, Minimum, Maximum));
}

void DescribeBreach(TWordsBuilder& B, const TKVXConfig& C, const std::optional<TAnalogueInput>& Input, bool High)
{
    const TAnalogueBreach* breach = Input ? (High ? &Input->High : &Input->Low) : nullptr;
    const bool on = breach && breach->Enabled;
    const char* side = High ? "High breach" : "Low breach";
    const char* tag = High ? "H" : "L";
    const auto shown = [on](bool Relevant, std::string Value) { return on && Relevant ? Value : std::string(DisabledWord); };
    B.Add(High ? HighBreachMessageCaption : LowBreachMessageCaption, QuotedOrEmpty(breach ? breach->Message : std::u16string()),
          std::string("edMLB") + tag, B.Range(High ? C.ADHighThresholdMessage : C.ADLowThresholdMessage));
    const bool voltage = Input && Input->VoltageInput;
    B.Add(RowAndColumn(side, VoltageBreachCaption),
          shown(voltage, breach ? Threshold(breach->VoltageHundredths, 0, AnalogueVoltsMaximumHundredths) : ""), std::string("edVLBV") + tag,
          B.Range(High ? C.ADVHighThreshold : C.ADVLowThreshold));
    B.Add(RowAndColumn(side, CurrentBreachCaption),
          shown(!voltage, breach ? Threshold(breach->CurrentHundredths, AnalogueMilliampsMinimumHundredths, AnalogueMilliampsMaximumHundredths) : ""),
          std::string("edVLBC") + tag, B.Range(High ? C.ADIHighThreshold : C.ADILowThreshold));
    B.Add(RowAndColumn(side, (std::string(ResponseTimeCaption) + " " + SecondsCaption).c_str()),
          shown(true, breach ? std::to_string(std::min(breach->ResponseSeconds, AnalogueResponseMaximumSeconds)) : ""),
          std::string("edVLB") + tag, B.Range(High ? C.ADHighThresholdDelay : C.ADLowThresholdDelay));
}

void DescribeInputMessages(TWordsBuilder& B, const TKVXConfig& C)
{
    B.Page(InputMessagesPageNo);
    static const std::string delayCaption = std::string(DelayCaption) + " " + SecondsCaption;
    for (size_t slot = 0; slot < InputMessageCount; ++slot) {
        const TInputMessage message = DecodeInputMessage(C, slot);
        const std::string event = DistributionEventCaption(static_cast<TDistributionEvent>(static_cast<size_t>(TDistributionEvent::IP1H) + slot));
        const std::string row = std::to_string(slot / 2 + 1) + (slot % 2 ? "L" : "H");
        B.Add(event, QuotedOrEmpty(message.Text), "edMIP" + row, B.Range(C.InputMessages, slot * 16, 16));
        if (!InputMessageHasDelay(slot)) continue;
        // A message switched off stores no delay of its own.
        B.Add(event + ", " + delayCaption,
              message.Enabled ? std::to_string(std::min(message.DelaySeconds, InputDelayMaximumSeconds)) : std::string(DisabledWord),
              "edVIP" + row, B.Range(C.Input1HighDelay, slot * 2, 2));
    }
    const std::optional<TAnalogueInput> input = DecodeAnalogueInput(C);
    const bool any = input && (input->High.Enabled || input->Low.Enabled);
    B.Add(RowAndColumn(AnalogueInputCaption, BreachTypeCaption),
          any ? (input->VoltageInput ? VoltageBreachCaption : CurrentBreachCaption) : std::string(DisabledWord),
          any && !input->VoltageInput ? "rbLBC" : "rbLBV", B.Range(C.ADType));
    DescribeBreach(B, C, input, true);
    DescribeBreach(B, C, input, false);
}

// The row panels of the distribution page, by event.
constexpr std::array<const char*, DistributeMessageCount> DistributionPanels{
    "pnlPowerUp",     "pnlIP1H",          "pnlIP1L",           "pnlIP2H",        "pnlIP2L",         "pnlIP3H",
    "pnlIP3L",        "pnlIP4H",          "pnlIP4L",           "pnlIP5H",        "pnlIP5L",         "pnlIP6H",
    "pnlIP6L",        "pnlIP7H",          "pnlIP7L",           "pnlIP8H",        "pnlIP8L",         "pnlIP9H",
    "pnlIP9L",        "pnlMainsFail",     "pnlMainsRestore",   "pnlBatteryLow",  "pnlBatteryCritical", "pnlBatteryRestore",
    "pnlAutoTest",    "pnlTamper",        "pnlIllegalAccess",  "pnlTimerEvents", "pnlTestButton",   "pnlBundleThreshold",
    "pnlADL",         "pnlADH",           "pnlIOCommsFail",    "pnlSIMChangeReport"};

void DescribeDistribution(TWordsBuilder& B, const TKVXConfig& C)
{
    B.Page(DistributionPageNo);
    for (size_t e = 0; e < DistributeMessageCount; ++e) {
        const auto event = static_cast<TDistributionEvent>(e);
        if (event == TDistributionEvent::BundleThreshold) continue;  // stored, never shown
        B.Add(DistributionEventCaption(event), RecipientsText(DecodeDistributionMask(C, event)),
              std::string("ScrollBox/") + DistributionPanels[e], B.Range(C.DistributeMessages.Masks[e].Bytes));
    }
}

std::string CIDEventCaption(const TCIDEvent& Event)
{
    const std::string code = std::to_string(Event.Code);
    return std::string(code.size() < 3 ? 3 - code.size() : 0, '0') + code + " " + Utf8Text(Event.Description);
}

void DescribeContactID(TWordsBuilder& B, const TKVXConfig& C, std::span<const TCIDEvent> CIDEvents)
{
    B.Page(ContactIDPageNo);
    for (size_t entry = 0; entry < std::min(CIDEvents.size(), CIDReportingCapacity); ++entry)
        B.Add(CIDEventCaption(CIDEvents[entry]), RecipientsText(DecodeCIDReportingMask(C, entry)), "sbCIDList/CIDControl" + std::to_string(entry),
              B.Range(C.ContactIDReporting, entry * 2, 2));
    struct TLabelKind {
        TCIDLabelKind Kind;
        const char* Caption;
        const char* List;
        const char* Edit;
        const uint8_t* Field;
    };
    const TLabelKind kinds[] = {{TCIDLabelKind::Partition, CIDPartitionCaption, "cbPartition", "edPM", C.CIDPartitionLabels.Data},
                                {TCIDLabelKind::Zone, CIDZoneCaption, "cbZone", "edZM", C.CIDZoneLabels.Data},
                                {TCIDLabelKind::User, CIDUserCaption, "cbUser", "edUM", C.CIDUserLabels.Data}};
    for (const TLabelKind& kind : kinds)
        for (size_t i = 0; i < CIDLabelCount(kind.Kind); ++i)
            B.AddAt(std::string(kind.Caption) + " " + std::to_string(i), QuotedOrEmpty(DecodeCIDLabel(C, kind.Kind, i)),
                  {kind.List, static_cast<int>(i), kind.Edit}, B.Range(kind.Field + i * 16, 16));
    B.Add(DialToneCaption, std::string(OnOffWord(DecodeDialTone(C))), "cbDialTone", B.Range(C.DialTone));
}

// Every element of the image that no page's field stands for, by its image name.
void DescribeUnshown(TWordsBuilder& B, const TKVXConfig& C)
{
    std::vector<bool> shown(TKVXConfig::Size, false);
    for (const TWordedField& field : B.Words().Fields)
        std::fill_n(shown.begin() + field.Bytes.Offset, field.Bytes.Size, true);
    B.Page(0);
    for (const TImageElement& element : ImageElements()) {
        if (std::any_of(shown.begin() + static_cast<std::ptrdiff_t>(element.Offset),
                        shown.begin() + static_cast<std::ptrdiff_t>(element.Offset + element.Size), [](bool b) { return b; }))
            continue;
        B.Add(element.Name, ImageElementText(C, element), "", {static_cast<uint16_t>(element.Offset), static_cast<uint16_t>(element.Size)});
    }
}

} // namespace

TConfigWords DescribeConfig(const TKVXConfig& Config, std::span<const TCIDEvent> CIDEvents)
{
    // The fields of every page and about as many rows of reserved bytes: grown once.
    constexpr size_t ExpectedFields = 6000;
    TConfigWords words;
    words.Fields.reserve(ExpectedFields + CIDEvents.size());
    words.Locations.reserve(MissedCallCount + TimerCount);
    TWordsBuilder builder(Config, words);
    DescribeSIMSetup(builder, Config);
    DescribeSecuritySetup(builder, Config);
    DescribeGeneralSetup(builder, Config);
    DescribeRecipients(builder, Config);
    DescribeInputMessages(builder, Config);
    DescribeDistribution(builder, Config);
    DescribeContactID(builder, Config, CIDEvents);
    DescribeSwitchingPages(builder, Config);
    DescribeUnshown(builder, Config);
    return words;
}

int PageShowingByte(size_t Offset)
{
    static const std::vector<uint8_t> pages = [] {
        std::vector<uint8_t> byPage(TKVXConfig::Size, 0);
        const TConfigWords words = DescribeConfig(ErasedConfig());
        for (const TWordedField& field : words.Fields)
            std::fill_n(byPage.begin() + field.Bytes.Offset, field.Bytes.Size, static_cast<uint8_t>(field.PageNo));
        const size_t masks = offsetof(TKVXConfig, ContactIDReporting);
        std::fill_n(byPage.begin() + static_cast<std::ptrdiff_t>(masks), decltype(TKVXConfig::ContactIDReporting)::Size,
                    static_cast<uint8_t>(ContactIDPageNo));
        return byPage;
    }();
    return Offset < pages.size() ? pages[Offset] : 0;
}

} // namespace kvx
