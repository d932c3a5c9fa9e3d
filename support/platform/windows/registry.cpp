// The Windows registry, read through the registry API with ANSI texts.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

#include "support/platform.h"

namespace {

constexpr DWORD value_buffer = 255;

// A key name without leading and trailing backslashes: the registry API
// refuses a leading one, and the callers hand keys over with a trailing one.
std::string bare_key(std::string_view k) {
    while (!k.empty() && k.front() == '\\') k.remove_prefix(1);
    while (!k.empty() && k.back() == '\\') k.remove_suffix(1);
    return std::string(k);
}

}  // namespace

int32_t RdUsrReg(const char* subkey, const char* name, char* outval, int32_t* len) {
    const char* sk = subkey ? subkey : "";
    const char* nm = name ? name : "";
    std::printf("Subkey,name : %s %s \n", sk, nm);
    if (!outval || !len) return ERROR_INVALID_PARAMETER;
    const bool classes_root = *len < 0;
    HKEY key = nullptr;
    const LONG open_status =
        RegOpenKeyExA(classes_root ? HKEY_CLASSES_ROOT : HKEY_CURRENT_USER, bare_key(sk).c_str(), 0,
                      KEY_QUERY_VALUE, &key);
    if (!classes_root) std::printf("USER Open Status : %ld\n", static_cast<long>(open_status));
    if (open_status != ERROR_SUCCESS) return static_cast<int32_t>(open_status);

    // One byte more than the value may take, so that a value stored without
    // its NUL can still be ended.
    char value[value_buffer + 1];
    DWORD size = value_buffer;
    DWORD type = REG_NONE;
    LONG query_status = RegQueryValueExA(key, nm, nullptr, &type, reinterpret_cast<BYTE*>(value), &size);
    if (query_status == ERROR_SUCCESS && type != REG_SZ && type != REG_EXPAND_SZ) {
        query_status = ERROR_INVALID_DATA;  // a number or binary data is no text
    } else if (query_status == ERROR_SUCCESS) {
        value[size] = '\0';
        // The value ends at its first NUL, as the C string it is handed on as.
        size = static_cast<DWORD>(std::strlen(value) + 1);
        if (size > value_buffer) {
            query_status = ERROR_MORE_DATA;
        }
    }
    std::printf("Query Status, Length : %ld %lu\n", static_cast<long>(query_status),
                static_cast<unsigned long>(size));
    if (query_status == ERROR_SUCCESS) {
        std::printf("value : %s \n", value);
        *len = static_cast<int32_t>(size);
        std::memcpy(outval, value, size);
    }
    const LONG close_status = RegCloseKey(key);
    std::printf("Status : %ld\n", static_cast<long>(close_status));
    return static_cast<int32_t>(query_status != ERROR_SUCCESS ? query_status : close_status);
}
