#include "ui/resource_registry.h"

#include <dlfcn.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <memory>

#include "text/encoding.h"
#include "ui/resource_stack.h"
#include "vxresource.h"

namespace vx::ui {
namespace {

struct Entry {
    std::unique_ptr<rc::Script> script;
};

std::map<HINSTANCE, Entry>& registry() {
    static std::map<HINSTANCE, Entry> m;
    return m;
}

std::string normalisePath(std::string p) {
    std::replace(p.begin(), p.end(), '\\', '/');
    std::string out;
    size_t i = 0;
    while (i < p.size()) {
        size_t j = p.find('/', i);
        std::string part = p.substr(i, j == std::string::npos ? std::string::npos : j - i);
        if (part == "..") {
            size_t k = out.find_last_of('/');
            out = k == std::string::npos ? std::string() : out.substr(0, k);
        } else if (!part.empty() && part != ".") {
            out += (out.empty() ? "" : "/") + part;
        }
        if (j == std::string::npos) break;
        i = j + 1;
    }
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

std::string folderOf(const std::string& p) {
    size_t k = p.find_last_of("/\\");
    return k == std::string::npos ? std::string() : p.substr(0, k + 1);
}

}  // namespace

HINSTANCE normaliseInstance(HINSTANCE instance) {
    if (!instance) return nullptr;
    Dl_info info{};
    if (dladdr(instance, &info) && info.dli_fbase) return info.dli_fbase;
    return instance;
}

bool registerResources(HINSTANCE instance, const std::vector<std::pair<std::string, std::string>>& files,
                       std::string& error) {
    if (files.empty()) {
        error = "no resource script";
        return false;
    }
    // Names compare as Windows paths: backslash or slash, any letter case, relative to the
    // folder of the file that names them.
    std::map<std::string, const std::pair<std::string, std::string>*> byName;
    for (const auto& f : files) byName[normalisePath(f.first)] = &f;
    rc::FileReader reader = [&byName](const std::string& from, const std::string& path, std::string& resolved,
                                      std::string& bytes) {
        for (const std::string& candidate : {folderOf(from) + path, path}) {
            auto it = byName.find(normalisePath(candidate));
            if (it == byName.end()) continue;
            resolved = it->second->first;
            bytes = it->second->second;
            return true;
        }
        return false;
    };
    auto script = std::make_unique<rc::Script>();
    rc::ParseError pe;
    if (!rc::parseText(files.front().first, files.front().second, reader, *script, pe)) {
        error = pe.text();
        return false;
    }
    registry()[normaliseInstance(instance)].script = std::move(script);
    return true;
}

bool registerEmbeddedResources(HINSTANCE instance, std::string& error) {
    Dl_info info{};
    if (!instance || !dladdr(instance, &info) || !info.dli_fname) {
        error = "the module's binary is not known";
        return false;
    }
    void* handle = dlopen(info.dli_fname, RTLD_LAZY | RTLD_NOLOAD);
    if (!handle) handle = dlopen(nullptr, RTLD_LAZY);
    const VxEmbeddedFile* table =
        handle ? static_cast<const VxEmbeddedFile*>(dlsym(handle, VX_EMBEDDED_RESOURCES_SYMBOL)) : nullptr;
    // The table must be the module's own, not one that another binary in its scope exports.
    Dl_info where{};
    if (table && (!dladdr(table, &where) || where.dli_fbase != info.dli_fbase)) table = nullptr;
    if (handle) dlclose(handle);
    // A binary without resources is a module like any other: it just has no templates.
    if (!table || !table->name) return true;
    return registerEmbeddedTable(instance, table, error);
}

bool registerEmbeddedTable(HINSTANCE instance, const VxEmbeddedFile* table, std::string& error) {
    std::vector<std::pair<std::string, std::string>> files;
    for (const VxEmbeddedFile* f = table; f && f->name; ++f)
        files.emplace_back(f->name, std::string(reinterpret_cast<const char*>(f->data), f->size));
    return registerResources(instance, files, error);
}

void unregisterResources(HINSTANCE instance) { registry().erase(normaliseInstance(instance)); }

const rc::Script* resourcesOf(HINSTANCE instance) {
    auto it = registry().find(normaliseInstance(instance));
    return it == registry().end() ? nullptr : it->second.script.get();
}

const rc::Script* currentResources() { return resourcesOf(currentResourceHandle()); }

std::wstring describeInstance(HINSTANCE instance) {
    if (!instance) return L"the host's resources";
    Dl_info info{};
    if (dladdr(instance, &info) && info.dli_fname) {
        std::string n = info.dli_fname;
        size_t k = n.find_last_of('/');
        return L"the resources of " + vx::text::fromUtf8(k == std::string::npos ? n : n.substr(k + 1));
    }
    return L"an unknown resource instance";
}

}  // namespace vx::ui
