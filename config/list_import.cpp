#include "config/list_import.h"

#include <algorithm>
#include <cctype>
#include <map>

#include "image/utils.h"

namespace kvx {

namespace {

std::string Lower(std::string Text)
{
    std::transform(Text.begin(), Text.end(), Text.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return Text;
}

std::string Trimmed(const std::string& Text)
{
    const size_t first = Text.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    return Text.substr(first, Text.find_last_not_of(" \t") - first + 1);
}

std::string OutcomeWord(TImportOutcome Outcome)
{
    switch (Outcome) {
    case TImportOutcome::Added: return "added";
    case TImportOutcome::Updated: return "updated";
    case TImportOutcome::Unchanged: return "unchanged";
    case TImportOutcome::Skipped: break;
    }
    return "skipped";
}

} // namespace

size_t TImportReport::Count(TImportOutcome Outcome) const
{
    return static_cast<size_t>(std::count_if(Lines.begin(), Lines.end(), [Outcome](const TImportLine& l) { return l.Outcome == Outcome; }));
}

bool TImportReport::Changes() const
{
    return Problem.empty() && (Count(TImportOutcome::Added) > 0 || Count(TImportOutcome::Updated) > 0);
}

std::string ReportText(const TImportReport& Report, std::string_view SlotName, size_t MaxLines)
{
    if (!Report.Problem.empty()) return Report.Problem;
    std::string text;
    for (const TImportOutcome outcome : {TImportOutcome::Added, TImportOutcome::Updated, TImportOutcome::Unchanged, TImportOutcome::Skipped})
        text += (text.empty() ? "" : ", ") + std::to_string(Report.Count(outcome)) + " " + OutcomeWord(outcome);
    text += ".";
    size_t listed = 0;
    size_t left = 0;
    for (const TImportLine& line : Report.Lines) {
        if (line.Outcome == TImportOutcome::Unchanged) continue;
        if (listed == MaxLines) {
            ++left;
            continue;
        }
        ++listed;
        text += "\nline " + std::to_string(line.Line) + ": " + OutcomeWord(line.Outcome);
        if (line.Outcome == TImportOutcome::Skipped) text += ": " + line.Reason;
        else text += " as " + std::string(SlotName) + " " + std::to_string(line.Slot) + " (" + line.Number + ")";
    }
    if (left) text += "\n... and " + std::to_string(left) + " more";
    return text;
}

TColumns ReadHeader(const TCsvRow& Header, const std::vector<std::string_view>& Names, std::string_view Required)
{
    TColumns columns;
    columns.Index.resize(Names.size());
    std::string known;
    for (const std::string_view name : Names) known += (known.empty() ? "" : ", ") + std::string(name);
    for (size_t column = 0; column < Header.Fields.size(); ++column) {
        const std::string name = Lower(Trimmed(Header.Fields[column]));
        if (name.empty()) continue;
        const auto found = std::find(Names.begin(), Names.end(), name);
        if (found == Names.end()) {
            columns.Problem = "The first line names the column \"" + name + "\", which is not one of " + known + ".";
            return columns;
        }
        std::optional<size_t>& index = columns.Index[static_cast<size_t>(found - Names.begin())];
        if (index) {
            columns.Problem = "The first line names the column \"" + name + "\" twice.";
            return columns;
        }
        index = column;
    }
    const auto required = std::find(Names.begin(), Names.end(), Required);
    if (required == Names.end() || !columns.Index[static_cast<size_t>(required - Names.begin())])
        columns.Problem = "The first line must name the columns, among them \"" + std::string(Required) + "\" (" + known + ").";
    return columns;
}

std::string Cell(const TCsvRow& Row, const std::optional<size_t>& Column)
{
    return Column && *Column < Row.Fields.size() ? Trimmed(Row.Fields[*Column]) : std::string();
}

std::vector<TSlotPlacement> PlaceInSlots(const std::vector<std::u16string>& Numbers, const std::vector<TSlotRequest>& Requests,
                                         std::string_view SlotName)
{
    std::vector<TSlotPlacement> placements(Requests.size());
    std::vector<std::u16string> slots = Numbers;
    std::vector<bool> taken(slots.size(), false);
    std::map<std::u16string, size_t> numberLine;  // the line that took a number first
    std::map<size_t, size_t> slotLine;             // the line that named a slot first
    const std::string name(SlotName);
    const auto refuse = [&](size_t i, std::string Reason) { placements[i].Reason = std::move(Reason); };
    const auto place = [&](size_t i, size_t slot) {
        placements[i] = {true, slot, slots[slot].empty(), {}};
        slots[slot] = Requests[i].Number;
        taken[slot] = true;
    };
    // Numbers and slots a row before already took.
    std::vector<bool> refused(Requests.size(), false);
    for (size_t i = 0; i < Requests.size(); ++i) {
        const TSlotRequest& r = Requests[i];
        if (const auto [first, fresh] = numberLine.emplace(r.Number, r.Line); !fresh) {
            refused[i] = true;
            refuse(i, "+" + TUtils::ToLatin1(r.Number) + " is also on line " + std::to_string(first->second));
        } else if (r.Slot) {
            if (const auto [named, freshSlot] = slotLine.emplace(*r.Slot, r.Line); !freshSlot) {
                refused[i] = true;
                refuse(i, name + " " + std::to_string(*r.Slot + 1) + " is also on line " + std::to_string(named->second));
            }
        }
    }
    const auto heldBy = [&Numbers](const std::u16string& number) {
        const auto at = std::find(Numbers.begin(), Numbers.end(), number);
        return at == Numbers.end() ? std::optional<size_t>() : std::optional<size_t>(static_cast<size_t>(at - Numbers.begin()));
    };
    // A number stays where it is unless a row that is placed replaces its slot, and refusing a
    // row can leave another's number in two slots, so refuse until nothing changes, then place.
    for (bool changed = true; changed;) {
        changed = false;
        std::vector<bool> replaced(slots.size(), false);
        for (size_t i = 0; i < Requests.size(); ++i)
            if (!refused[i] && Requests[i].Slot) replaced[*Requests[i].Slot] = true;
        for (size_t i = 0; i < Requests.size(); ++i) {
            const TSlotRequest& r = Requests[i];
            if (refused[i] || !r.Slot) continue;
            const auto holder = heldBy(r.Number);
            if (!holder || *holder == *r.Slot || replaced[*holder]) continue;
            refuse(i, "+" + TUtils::ToLatin1(r.Number) + " is already " + name + " " + std::to_string(*holder + 1));
            refused[i] = changed = true;
        }
    }
    for (size_t i = 0; i < Requests.size(); ++i)
        if (!refused[i] && Requests[i].Slot) place(i, *Requests[i].Slot);
    for (size_t i = 0; i < Requests.size(); ++i) {
        const TSlotRequest& r = Requests[i];
        if (refused[i] || r.Slot) continue;
        if (const auto holder = heldBy(r.Number); holder && !taken[*holder]) {
            place(i, *holder);
            continue;
        }
        // A free slot that a row names is that row's.
        size_t slot = 0;
        while (slot < slots.size() && (!slots[slot].empty() || slotLine.count(slot))) ++slot;
        if (slot == slots.size()) refuse(i, "no free " + name + " left");
        else place(i, slot);
    }
    return placements;
}

} // namespace kvx
