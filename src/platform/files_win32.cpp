#include "platform/files.h"

#include <windows.h>

namespace platemap::platform {

namespace {

HANDLE toHandle(FileHandle file) {
    return reinterpret_cast<HANDLE>(file);
}

FileHandle fromHandle(HANDLE handle) {
    return handle == INVALID_HANDLE_VALUE ? invalidFile : reinterpret_cast<FileHandle>(handle);
}

} // namespace

std::string tempDirectory() {
    char buffer[1024] = {};
    const DWORD length = GetTempPathA(sizeof buffer, buffer);
    return length > 0 && length < sizeof buffer ? std::string(buffer, length) : std::string();
}

bool fileExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool deleteFile(const std::string& path) {
    return DeleteFileA(path.c_str()) != 0;
}

std::int32_t addressNumber(const void* object) {
    return static_cast<std::int32_t>(reinterpret_cast<std::uintptr_t>(object));
}

FileHandle openForReading(const std::string& path) {
    return fromHandle(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

FileHandle createForWriting(const std::string& path) {
    return fromHandle(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                  CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
}

std::size_t readFile(FileHandle file, void* buffer, std::size_t bytes) {
    DWORD got = 0;
    if (!ReadFile(toHandle(file), buffer, static_cast<DWORD>(bytes), &got, nullptr))
        return 0;
    return got;
}

std::size_t writeFile(FileHandle file, const void* buffer, std::size_t bytes) {
    DWORD put = 0;
    if (!WriteFile(toHandle(file), buffer, static_cast<DWORD>(bytes), &put, nullptr))
        return 0;
    return put;
}

bool seekFile(FileHandle file, std::uint32_t offset) {
    LARGE_INTEGER distance;
    distance.QuadPart = offset;
    return SetFilePointerEx(toHandle(file), distance, nullptr, FILE_BEGIN) != 0;
}

void closeFile(FileHandle file) {
    CloseHandle(toHandle(file));
}

} // namespace platemap::platform
