// Test support: fixture drawings written by ezdxf and checks of our output read back by ezdxf.
#pragma once

#include <map>
#include <string>

#include "acdb.h"

namespace vxtest {

// A fresh empty folder for one test.
std::string tempDir(const std::string& name);
// Runs a Python script with the system's python3 (which has ezdxf); stdout comes back.
// Returns the exit status.
int runPython(const std::string& script, std::string& out);
// Writes the ezdxf fixture drawing of `version` ("R12" ... "R2018") to path.
bool writeFixture(const std::string& version, const std::string& path, bool gbk);
// ezdxf's view of a file: "audit_errors", "dup_handles", "seed_low", "dangling",
// and `extra` Python expressions (over `doc`, `msp`) under their keys.
std::map<std::string, std::string> inspect(const std::string& path,
                                           const std::map<std::string, std::string>& extra = {});
std::string readFile(const std::string& path);
void writeFile(const std::string& path, const std::string& bytes);
std::wstring wide(const std::string& s);

}  // namespace vxtest
