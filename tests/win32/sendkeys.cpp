// Under wine: presses keys through SendInput, which wine takes as its own
// input (a global hot key fires only for that).   sendkeys ctrl+shift+c
#include <windows.h>

#include <string>
#include <vector>

static WORD virtualKey(const std::wstring& name)
{
    if (name == L"ctrl" || name == L"shift" || name == L"alt")
        return name == L"ctrl" ? VK_CONTROL : name == L"shift" ? VK_SHIFT : VK_MENU;
    return name.size() == 1 ? static_cast<WORD>(towupper(name[0])) : 0;
}

int wmain(int argc, wchar_t** argv)
{
    std::vector<INPUT> downs, ups;
    std::wstring keys = argc == 2 ? argv[1] : L"";
    for (size_t start = 0; start < keys.size();) {
        size_t end = std::min(keys.find(L'+', start), keys.size());
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = virtualKey(keys.substr(start, end - start));
        if (input.ki.wVk == 0)
            return 2;
        downs.push_back(input);
        input.ki.dwFlags = KEYEVENTF_KEYUP;
        ups.insert(ups.begin(), input);
        start = end + 1;
    }
    downs.insert(downs.end(), ups.begin(), ups.end());
    return !downs.empty() && SendInput(downs.size(), downs.data(), sizeof(INPUT)) == downs.size() ? 0 : 1;
}
