// TempFolder: a fresh folder under the system's temporary folder, removed with everything in
// it when the object goes. One per test; not shared between threads.
#pragma once

#include <string>

class TempFolder
{
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The full path of name inside the folder.
    std::string Path(const std::string& name) const;
    // Writes bytes into the file name and returns its full path.
    std::string Write(const std::string& name, const std::string& bytes) const;
    // The bytes the file at path holds now.
    static std::string Read(const std::string& path);

private:
    std::string m_root;
};
