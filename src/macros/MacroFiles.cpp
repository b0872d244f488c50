#include "macros/MacroFiles.h"

#include <algorithm>

#include "common/Text.h"
#include "macros/MacroModel.h"
#include "storage/ConfigDatabase.h"
#include "storage/MacroStore.h"
#include "storage/StoreTransaction.h"
#include "xml/XmlDoc.h"

namespace vellomir {

namespace {

constexpr std::string_view kDeclaration = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n";

// --- writing ---

void SetMacroAttributes(XmlDoc& doc, const MacroInfo& info) {
    doc.SetAttribute("macro_name", info.name);
    doc.SetAttribute("macro_type", std::to_string(info.play_type));
    doc.SetAttribute("play_times", std::to_string(info.play_times));
    doc.SetAttribute("delay_type", std::to_string(info.delay_type));
    doc.SetAttribute("delay_time", std::to_string(info.delay_time));
}

// Adds one `item` per event inside the current element, which is left current again afterwards.
void AddEventItems(XmlDoc& doc, const std::vector<MacroEvent>& events) {
    doc.EnterElement();
    for (const MacroEvent& event : events) {
        doc.AddElement("item");
        doc.SetAttribute("desc", event.desc);
        doc.SetAttribute("index", std::to_string(event.record_index));
        doc.SetAttribute("type", std::to_string(event.type));
        doc.SetAttribute("value", std::to_string(event.value));
        doc.SetAttribute("timestamp", std::to_string(event.delay_time));
    }
    doc.LeaveElement();
}

void BuildSingle(XmlDoc& doc, const MacroFileEntry& macro) {
    doc.SetText(kDeclaration);  // false: no root yet
    doc.AddElement("macro");
    doc.EnterElement();
    doc.AddElement("macroinfo");
    SetMacroAttributes(doc, macro.info);
    doc.AddElement("macroitems");
    AddEventItems(doc, macro.events);
    doc.LeaveElement();
}

void BuildMulti(XmlDoc& doc, const std::vector<MacroFileEntry>& macros) {
    doc.SetText(kDeclaration);
    doc.AddElement("macro");
    doc.EnterElement();
    for (const MacroFileEntry& macro : macros) {
        doc.AddElement("macro_item");
        SetMacroAttributes(doc, macro.info);
        doc.EnterElement();
        doc.AddElement("record_item");
        AddEventItems(doc, macro.events);
        doc.LeaveElement();
    }
    doc.LeaveElement();
}

// --- reading ---

MacroInfo ReadMacroAttributes(const XmlDoc& doc) {
    MacroInfo info;
    info.name = doc.GetAttribute("macro_name");
    info.play_type = ReadDecimal(doc.GetAttribute("macro_type"));
    info.play_times = ReadDecimal(doc.GetAttribute("play_times"));
    info.delay_type = ReadDecimal(doc.GetAttribute("delay_type"));
    info.delay_time = ReadDecimal(doc.GetAttribute("delay_time"));
    return info;
}

// Reads every `item` of the current element. The events come back in the order of their `index`
// (items with equal indexes in file order) and numbered 0, 1, 2 ..., which is the order the macro
// page shows; a file with gaps or repeated indexes therefore still gives one well-defined order.
std::vector<MacroEvent> ReadEventItems(XmlDoc& doc) {
    std::vector<MacroEvent> events;
    if (!doc.EnterElement()) return events;
    while (doc.FindElement("item")) {
        MacroEvent event;
        event.desc = doc.GetAttribute("desc");
        event.record_index = ReadDecimal(doc.GetAttribute("index"));
        event.type = ReadDecimal(doc.GetAttribute("type"));
        event.value = ReadDecimal(doc.GetAttribute("value"));
        event.delay_time = ReadDecimal(doc.GetAttribute("timestamp"));
        events.push_back(std::move(event));
    }
    doc.LeaveElement();
    std::stable_sort(events.begin(), events.end(), [](const MacroEvent& a, const MacroEvent& b) {
        return a.record_index < b.record_index;
    });
    for (std::size_t i = 0; i < events.size(); ++i)
        events[i].record_index = static_cast<int>(i);
    return events;
}

bool EventsAreValid(const std::vector<MacroEvent>& events) {
    if (events.size() > static_cast<std::size_t>(kMaxMacroRows)) return false;
    return std::all_of(events.begin(), events.end(),
                       [](const MacroEvent& e) { return IsMacroEventType(e.type); });
}

// Loads the file and steps into its `macro` root.
MacroFileStatus OpenMacroRoot(XmlDoc& doc, const std::filesystem::path& file) {
    if (!doc.LoadFile(file)) return MacroFileStatus::Unreadable;
    if (!doc.FindElement("macro") || !doc.EnterElement()) return MacroFileStatus::WrongRoot;
    return MacroFileStatus::Ok;
}

// Whether the root holds a child `name` anywhere (the readers themselves only search forward).
bool RootHasChild(XmlDoc& doc, std::string_view name) {
    doc.ResetPos();
    return doc.FindElement("macro") && doc.EnterElement() && doc.FindElement(name);
}

MacroFileContent Checked(MacroFileContent content) {
    for (const MacroFileEntry& macro : content.macros) {
        if (!EventsAreValid(macro.events)) return {MacroFileStatus::InvalidEvents, {}};
    }
    return content;
}

// --- storing ---

MacroImportResult StoreNewMacros(const MacroFileContent& content) {
    MacroImportResult result;
    result.status = content.status;
    if (content.status != MacroFileStatus::Ok) return result;
    result.status = MacroFileStatus::DatabaseFailed;

    StoreTransaction change;  // holds the database lock; takes everything back unless committed
    if (!change.IsOpen()) return result;
    std::vector<MacroInfo> added;
    for (const MacroFileEntry& macro : content.macros) {
        MacroInfo info = macro.info;
        info.macro_id = InsertMacro(info);
        if (info.macro_id <= 0) return result;
        for (MacroEvent event : macro.events) {
            event.macro_id = info.macro_id;
            if (InsertMacroEvent(event) <= 0) return result;
        }
        added.push_back(std::move(info));
    }
    if (!change.Commit()) return result;
    result.status = MacroFileStatus::Ok;
    result.added = std::move(added);
    return result;
}

MacroFileStatus Save(XmlDoc& doc, const std::filesystem::path& file) {
    return doc.SaveFile(file) ? MacroFileStatus::Ok : MacroFileStatus::WriteFailed;
}

}  // namespace

const char* MacroFileStatusName(MacroFileStatus status) {
    switch (status) {
        case MacroFileStatus::Ok:
            return "ok";
        case MacroFileStatus::Unreadable:
            return "unreadable";
        case MacroFileStatus::WrongRoot:
            return "wrong root";
        case MacroFileStatus::WrongLayout:
            return "wrong layout";
        case MacroFileStatus::OutOfOrder:
            return "out of order";
        case MacroFileStatus::InvalidEvents:
            return "invalid events";
        case MacroFileStatus::NoSuchMacro:
            return "no such macro";
        case MacroFileStatus::DatabaseFailed:
            return "database failed";
        case MacroFileStatus::WriteFailed:
            return "write failed";
    }
    return "unknown";
}

std::string SingleMacroXml(const MacroFileEntry& macro) {
    XmlDoc doc;
    BuildSingle(doc, macro);
    return doc.GetText();
}

std::string MultiMacroXml(const std::vector<MacroFileEntry>& macros) {
    XmlDoc doc;
    BuildMulti(doc, macros);
    return doc.GetText();
}

MacroFileContent ReadSingleMacroFile(const std::filesystem::path& file) {
    XmlDoc doc;
    MacroFileContent content;
    content.status = OpenMacroRoot(doc, file);
    if (content.status != MacroFileStatus::Ok) return content;
    if (!doc.FindElement("macroinfo")) return {MacroFileStatus::WrongLayout, {}};
    MacroFileEntry macro;
    macro.info = ReadMacroAttributes(doc);
    if (doc.FindElement("macroitems")) {
        macro.events = ReadEventItems(doc);
    } else if (RootHasChild(doc, "macroitems")) {
        return {MacroFileStatus::OutOfOrder, {}};
    }
    content.macros.push_back(std::move(macro));
    return Checked(std::move(content));
}

MacroFileContent ReadMultiMacroFile(const std::filesystem::path& file) {
    XmlDoc doc;
    MacroFileContent content;
    content.status = OpenMacroRoot(doc, file);
    if (content.status != MacroFileStatus::Ok) return content;
    while (doc.FindElement("macro_item")) {
        MacroFileEntry macro;
        macro.info = ReadMacroAttributes(doc);
        if (doc.EnterElement()) {
            if (doc.FindElement("record_item")) macro.events = ReadEventItems(doc);
            doc.LeaveElement();
        }
        content.macros.push_back(std::move(macro));
    }
    if (content.macros.empty() && RootHasChild(doc, "macroinfo")) return {MacroFileStatus::WrongLayout, {}};
    return Checked(std::move(content));
}

MacroFileStatus ExportMacroFile(int macroId, const std::filesystem::path& file) {
    MacroFileEntry macro;
    {
        // One lock for both reads, so the file shows the macro as it was at one moment.
        auto lock = ConfigDatabase::Instance().Lock();
        if (!GetMacro(macroId, macro.info)) return MacroFileStatus::NoSuchMacro;
        ListMacroEvents(macroId, macro.events);
    }
    XmlDoc doc;
    BuildSingle(doc, macro);
    return Save(doc, file);
}

MacroFileStatus ExportAllMacrosFile(const std::filesystem::path& file) {
    std::vector<MacroFileEntry> macros;
    {
        auto lock = ConfigDatabase::Instance().Lock();
        // Without a database there is nothing to read; an empty file would look like a successful export.
        if (!ConfigDatabase::Instance().IsOpened()) return MacroFileStatus::DatabaseFailed;
        std::vector<MacroInfo> infos;
        ListMacros(infos);
        for (MacroInfo& info : infos) {
            MacroFileEntry macro;
            macro.info = std::move(info);
            ListMacroEvents(macro.info.macro_id, macro.events);
            macros.push_back(std::move(macro));
        }
    }
    XmlDoc doc;
    BuildMulti(doc, macros);
    return Save(doc, file);
}

MacroImportResult ImportMacroFile(const std::filesystem::path& file) {
    return StoreNewMacros(ReadSingleMacroFile(file));
}

MacroImportResult ImportMacrosFile(const std::filesystem::path& file) {
    return StoreNewMacros(ReadMultiMacroFile(file));
}

}  // namespace vellomir
