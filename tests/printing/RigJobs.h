#pragma once
// The jobs the print rig's IPP printer received (scripts/print-rig.sh records each one's IPP attributes and
// document under the rig's jobs/ folder).

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <string>
#include <thread>

#include <unistd.h>

namespace rigjobs {

namespace fs = std::filesystem;
using Attributes = std::map<std::string, std::string>;

// VANTRIC_RIG_DIR from the environment, else the tree's rig folder given at build time.
inline fs::path RigDir()
{
    const char* dir = std::getenv("VANTRIC_RIG_DIR");
    return dir && *dir ? fs::path(dir) : fs::path(VANTRIC_RIG_DIR);
}

inline Attributes ReadEnv(const fs::path& path)
{
    Attributes a;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line))
        if (size_t eq = line.find('='); eq != std::string::npos)
            a[line.substr(0, eq)] = line.substr(eq + 1);
    return a;
}

// The job the rig's printer recorded under that name: its attributes and its document.
inline std::optional<std::pair<Attributes, fs::path>> WaitForJob(const std::string& title)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (std::chrono::steady_clock::now() < deadline) {
        std::error_code ec;
        for (const auto& entry : fs::directory_iterator(RigDir() / "jobs", ec)) {
            if (entry.path().extension() != ".env")
                continue;
            Attributes a = ReadEnv(entry.path());
            if (a["IPP_JOB_NAME"] == title) {
                fs::path doc = entry.path();
                doc.replace_extension(".doc");
                return std::make_pair(a, doc);
            }
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return std::nullopt;
}

inline std::string UniqueTitle(const std::string& what)
{
    static int counter = 0;
    auto now = std::chrono::system_clock::now().time_since_epoch();
    return "vantric-" + what + "-" + std::to_string(::getpid()) + "-" +
           std::to_string(std::chrono::duration_cast<std::chrono::milliseconds>(now).count()) + "-" +
           std::to_string(++counter);
}

} // namespace rigjobs
