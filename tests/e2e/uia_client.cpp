// SPDX-License-Identifier: GPL-3.0-or-later
// A small UI Automation client, as a Windows screen reader sees the game: it reads a window's
// tree and reports where the keyboard focus goes. It answers commands, one per line on its
// standard input, in UTF-8:
//   tree TITLE  the top-level window of that title and every element below it, one per line:
//               "element<TAB>control type<TAB>name<TAB>description<TAB>left top width height",
//               then "end" (or "none" when there is no such window)
//   describe N  the description of element N (from 0) of the last tree read, read anew from
//               the game: "description<TAB>text" (or "none"); one call to the game, not a tree
//   focus       from now on, every focus change as "focus<TAB>name<TAB>description"
//   quit        ends the client
// Only what Wine's UI Automation implements is used: FindAll over the descendants with a true
// condition, GetCurrentPropertyValueEx, and a focus-changed handler.
#include <initguid.h>

#include <uiautomation.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <mutex>
#include <string>
#include <vector>

namespace {

std::mutex outputLock;
std::vector<IUIAutomationElement*> lastTree; // the elements below the window, as last read

void forgetLastTree()
{
    for (IUIAutomationElement* element : lastTree) {
        element->Release();
    }
    lastTree.clear();
}

std::string utf8(const wchar_t* text, int length = -1)
{
    if (!text) {
        return {};
    }
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, length, result.data(), size, nullptr, nullptr);
    if (length < 0 && !result.empty()) {
        result.pop_back(); // the terminating zero
    }
    return result;
}

std::wstring wide(const std::string& text)
{
    const int size =
        MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring result(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(
        CP_UTF8, 0, text.data(), static_cast<int>(text.size()), result.data(), size);
    return result;
}

// Tabs and line ends inside a text would break the line format.
std::string flat(std::string text)
{
    for (char& c : text) {
        if (c == '\t' || c == '\n' || c == '\r') {
            c = ' ';
        }
    }
    return text;
}

void say(const std::string& line)
{
    const std::lock_guard lock(outputLock);
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

VARIANT property(IUIAutomationElement* element, PROPERTYID id)
{
    VARIANT value;
    VariantInit(&value);
    if (FAILED(element->GetCurrentPropertyValueEx(id, TRUE, &value))) {
        VariantInit(&value);
    }
    return value;
}

std::string text(IUIAutomationElement* element, PROPERTYID id)
{
    VARIANT value = property(element, id);
    std::string result = value.vt == VT_BSTR
        ? flat(utf8(value.bstrVal, static_cast<int>(SysStringLen(value.bstrVal))))
        : std::string();
    VariantClear(&value);
    return result;
}

long integer(IUIAutomationElement* element, PROPERTYID id)
{
    VARIANT value = property(element, id);
    const long result = value.vt == VT_I4 ? value.lVal : 0;
    VariantClear(&value);
    return result;
}

std::string rectangle(IUIAutomationElement* element)
{
    VARIANT value = property(element, UIA_BoundingRectanglePropertyId);
    double edges[4] = { 0, 0, 0, 0 };
    if (value.vt == (VT_ARRAY | VT_R8) && value.parray) {
        void* data = nullptr;
        if (SUCCEEDED(SafeArrayAccessData(value.parray, &data))) {
            const auto* numbers = static_cast<const double*>(data);
            for (int i = 0; i < 4 && static_cast<ULONG>(i) < value.parray->rgsabound[0].cElements;
                 ++i) {
                edges[i] = numbers[i];
            }
            SafeArrayUnaccessData(value.parray);
        }
    }
    VariantClear(&value);
    char buffer[96];
    std::snprintf(
        buffer, sizeof buffer, "%.0f %.0f %.0f %.0f", edges[0], edges[1], edges[2], edges[3]);
    return buffer;
}

std::string describe(IUIAutomationElement* element)
{
    return std::to_string(integer(element, UIA_ControlTypePropertyId)) + '\t'
        + text(element, UIA_NamePropertyId) + '\t' + text(element, UIA_FullDescriptionPropertyId)
        + '\t' + rectangle(element);
}

void tree(IUIAutomation* automation, const std::string& title)
{
    IUIAutomationElement* window = nullptr;
    const HWND handle = FindWindowW(nullptr, wide(title).c_str());
    if (!handle || FAILED(automation->ElementFromHandle(handle, &window)) || !window) {
        say("none");
        return;
    }
    say("element\t" + describe(window));
    forgetLastTree();
    IUIAutomationCondition* all = nullptr;
    IUIAutomationElementArray* found = nullptr;
    if (SUCCEEDED(automation->CreateTrueCondition(&all))
        && SUCCEEDED(window->FindAll(TreeScope_Descendants, all, &found)) && found) {
        int count = 0;
        found->get_Length(&count);
        for (int i = 0; i < count; ++i) {
            IUIAutomationElement* element = nullptr;
            if (SUCCEEDED(found->GetElement(i, &element)) && element) {
                say("element\t" + describe(element));
                lastTree.push_back(element);
            }
        }
        found->Release();
    }
    if (all) {
        all->Release();
    }
    window->Release();
    say("end");
}

// Reports each focus change; lives as long as the client, on its stack, and is never deleted
// through the COM interface (which, like every COM interface, has no virtual destructor).
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
class FocusReporter final : public IUIAutomationFocusChangedEventHandler {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override
    {
        if (iid == IID_IUnknown || iid == IID_IUIAutomationFocusChangedEventHandler) {
            *object = static_cast<IUIAutomationFocusChangedEventHandler*>(this);
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE HandleFocusChangedEvent(IUIAutomationElement* sender) override
    {
        say("focus\t" + text(sender, UIA_NamePropertyId) + '\t'
            + text(sender, UIA_FullDescriptionPropertyId));
        return S_OK;
    }
};
#pragma GCC diagnostic pop

} // namespace

int main()
{
    CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    IUIAutomation* automation = nullptr;
    if (FAILED(CoCreateInstance(CLSID_CUIAutomation8, nullptr, CLSCTX_INPROC_SERVER,
            IID_IUIAutomation, reinterpret_cast<void**>(&automation)))) {
        say("no UI Automation");
        return 1;
    }
    FocusReporter focusReporter;
    say("ready");
    std::string line;
    while (std::getline(std::cin, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (line.rfind("tree ", 0) == 0) {
            tree(automation, line.substr(5));
        } else if (line.rfind("describe ", 0) == 0) {
            const std::size_t index = std::strtoul(line.c_str() + 9, nullptr, 10);
            say(index < lastTree.size()
                    ? "description\t" + text(lastTree[index], UIA_FullDescriptionPropertyId)
                    : std::string("none"));
        } else if (line == "focus") {
            const HRESULT added = automation->AddFocusChangedEventHandler(nullptr, &focusReporter);
            say(SUCCEEDED(added) ? "watching" : "no focus events");
        } else if (line == "quit") {
            break;
        }
    }
    forgetLastTree();
    automation->RemoveAllEventHandlers();
    automation->Release();
    CoUninitialize();
    return 0;
}
