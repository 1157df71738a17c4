#include "page_facts.h"

#include "view/quit_menu.h"

namespace {

const char* kindName(InputKind kind) {
    switch (kind) {
        case InputKind::key: return "key";
        case InputKind::modifier: return "modifier";
        case InputKind::drag: return "drag";
        case InputKind::menu: return "menu";
    }
    return "";
}

// The texts are the code's own; quotes and backslashes are escaped all the same.
void appendString(std::string& json, const char* text) {
    json += '"';
    for (const char* c = text; *c != '\0'; ++c) {
        if (*c == '"' || *c == '\\') json += '\\';
        json += *c;
    }
    json += '"';
}

}  // namespace

std::string pageFactsJson(const char* title, const InputBinding* const* rows, int count, const char* const* modes,
                          int modeCount) {
    std::string json = "{\"title\": ";
    appendString(json, title);
    json += ", \"menuEntry\": ";
    appendString(json, quitMenuEntry);
    json += ", \"inputs\": [";
    for (int i = 0; i < count; ++i) {
        json += i ? ", {\"kind\": " : "{\"kind\": ";
        appendString(json, kindName(rows[i]->kind));
        json += ", \"inputs\": ";
        appendString(json, rows[i]->inputs);
        json += ", \"action\": ";
        appendString(json, rows[i]->action);
        json += '}';
    }
    json += ']';
    if (modes != nullptr) {
        json += ", \"modes\": [";
        for (int i = 0; i < modeCount; ++i) {
            if (i) json += ", ";
            appendString(json, modes[i]);
        }
        json += ']';
    }
    return json + '}';
}
