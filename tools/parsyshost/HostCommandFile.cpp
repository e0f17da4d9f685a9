#include "tools/parsyshost/HostCommandFile.h"

#include <cstdlib>
#include <fstream>
#include <functional>
#include <map>

namespace parsyshost {

std::string Keyword(const std::string& command) {
    static const std::map<std::string, std::string> keywords = {{"reset", "[HOST_CMD_RESET]"},
                                                                {"start", "[HOST_CMD_START_PARTICLE]"},
                                                                {"stop", "[HOST_CMD_STOP_PARTICLE]"},
                                                                {"datasets", "[HOST_CMD_GET_DATA_SETS]"},
                                                                {"startall", "[HOST_CMD_START_ALL_PARTICLE]"},
                                                                {"load", "[HOST_CMD_LOAD_PARTICLE]"}};
    const auto it = keywords.find(command);
    return it != keywords.end() ? it->second : std::string();
}

std::string CommandFile(s32 seq, const std::string& keyword, s32 slot, const std::string& name) {
    return std::to_string(seq) + "\r\n" + keyword + "\r\n" + std::to_string(slot) + "\r\n" + name + "\r\n";
}

s32 NextSequence(const std::string& disc) {
    std::ifstream in(disc + "/hostout.txt");
    std::string line;
    if (!std::getline(in, line))
        return 1;
    const long last = std::strtol(line.c_str(), nullptr, 10);
    return last >= 1 && last < 0x7FFFFFFF ? s32(last + 1) : 1;
}

bool SetField(const std::string& assignment, discbuild::ParticleDef* def, std::string* error) {
    using Setter = std::function<void(discbuild::ParticleDef*, const std::string&)>;
    static const std::map<std::string, Setter> fields = {
        {"sprite", [](auto* d, const std::string& v) { d->spriteSet = v; }},
        {"spritetype", [](auto* d, const std::string& v) { d->spriteType = u32(std::stoul(v)); }},
        {"elements", [](auto* d, const std::string& v) { d->numElement = std::stoi(v); }},
        {"maxage", [](auto* d, const std::string& v) { d->maxAge = std::stof(v); }},
        {"life", [](auto* d, const std::string& v) { d->elemMaxAge = std::stof(v); }},
        {"start", [](auto* d, const std::string& v) { d->elemStartTime = std::stof(v); }},
        {"flags", [](auto* d, const std::string& v) { d->flags = u32(std::stoul(v, nullptr, 0)); }},
        {"size", [](auto* d, const std::string& v) { d->elemSize = std::stof(v); }},
        {"speed", [](auto* d, const std::string& v) { d->elemSpeed = std::stof(v); }},
        {"gravity", [](auto* d, const std::string& v) { d->gravity = std::stof(v); }},
        {"velx", [](auto* d, const std::string& v) { d->elemMinVel.x = d->elemMaxVel.x = std::stof(v); }},
        {"vely", [](auto* d, const std::string& v) { d->elemMinVel.y = d->elemMaxVel.y = std::stof(v); }},
        {"velz", [](auto* d, const std::string& v) { d->elemMinVel.z = d->elemMaxVel.z = std::stof(v); }},
    };
    const std::size_t equals = assignment.find('=');
    const auto it = fields.find(assignment.substr(0, equals));
    if (equals == std::string::npos || it == fields.end()) {
        *error = "unknown field in '" + assignment + "'";
        return false;
    }
    try {
        it->second(def, assignment.substr(equals + 1));
    } catch (const std::exception&) {
        *error = "bad value in '" + assignment + "'";
        return false;
    }
    return true;
}

}  // namespace parsyshost
