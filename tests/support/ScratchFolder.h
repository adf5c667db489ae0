#pragma once
#include <filesystem>
#include <string>

// A fresh program folder for one test: created empty, made the program folder, removed afterwards.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder &) = delete;
    ScratchFolder &operator=(const ScratchFolder &) = delete;

    const std::filesystem::path &Path() const { return path_; }
    // Writes a file under the folder (bytes as given).
    void Write(const std::string &name, const std::string &bytes) const;
    std::string Read(const std::string &name) const;

private:
    std::filesystem::path path_;
    std::string previous_;
};
