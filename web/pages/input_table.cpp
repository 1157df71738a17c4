#include "input_table.h"

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

// The table's texts are the code's own, plain ASCII; quotes and backslashes are escaped all the same.
void appendString(std::string& json, const char* text) {
    json += '"';
    for (const char* c = text; *c != '\0'; ++c) {
        if (*c == '"' || *c == '\\') json += '\\';
        json += *c;
    }
    json += '"';
}

}  // namespace

std::string inputTableJson(const InputBinding* const* rows, int count) {
    std::string json = "[";
    for (int i = 0; i < count; ++i) {
        json += i ? ", {\"kind\": " : "{\"kind\": ";
        appendString(json, kindName(rows[i]->kind));
        json += ", \"inputs\": ";
        appendString(json, rows[i]->inputs);
        json += ", \"action\": ";
        appendString(json, rows[i]->action);
        json += '}';
    }
    return json + ']';
}
