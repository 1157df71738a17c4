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

// The texts are the code's own, in UTF-8; each is written as a JSON string all the same: quotes,
// backslashes and control characters escaped. By hand, for these few strings of our own: the
// programs' web build has no JSON library.
void appendString(std::string& json, const char* text) {
    json += '"';
    for (const char* c = text; *c != '\0'; ++c) {
        const unsigned char u = static_cast<unsigned char>(*c);
        if (*c == '"' || *c == '\\') {
            json += '\\';
            json += *c;
        } else if (u < 0x20) {
            static const char hex[] = "0123456789abcdef";
            json += "\\u00";
            json += hex[u >> 4];
            json += hex[u & 15];
        } else {
            json += *c;
        }
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
