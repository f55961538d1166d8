#include "support/kanji_reading.h"

#include <windows.h>
#include <objbase.h>
#include <oleauto.h>

namespace {
// The input method's language services (msime.h), in the order of its table.
struct IFELanguage : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE Open() = 0;
    virtual HRESULT STDMETHODCALLTYPE Close() = 0;
    virtual HRESULT STDMETHODCALLTYPE GetJMorphResult(DWORD request, DWORD mode, INT length, const WCHAR* input,
                                                      DWORD* info, void** result) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetConversionModeCaps(DWORD* caps) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetPhonetic(BSTR text, LONG start, LONG length, BSTR* reading) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetConversion(BSTR text, LONG start, LONG length, BSTR* result) = 0;
};
const IID kIFELanguage = {0x019F7152, 0xE6DB, 0x11D0, {0x83, 0xC3, 0x00, 0xC0, 0x4F, 0xDD, 0xB8, 0x2E}};

// The longest name whose reading is asked for.
constexpr size_t kReadingInputLimit = 260;

KanjiReadingFunction g_reading;

// A string the input method reads or writes, freed with its owner.
class Bstr {
public:
    explicit Bstr(BSTR text = nullptr) : text_(text) {}
    ~Bstr() { SysFreeString(text_); }
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    BSTR Get() const { return text_; }
    BSTR* Out() { return &text_; }

private:
    BSTR text_;
};
}  // namespace

struct KanjiReader::Method {
    IFELanguage* language = nullptr;
    ~Method()
    {
        language->Close();
        language->Release();
    }
};

KanjiReader::KanjiReader() = default;
KanjiReader::~KanjiReader() = default;

std::wstring KanjiReader::ReadingOf(const std::wstring& text)
{
    if (g_reading)
        return g_reading(text);
    if (text.empty() || text.size() > kReadingInputLimit)
        return L"";
    if (!tried_) {
        tried_ = true;
        CLSID japanese;
        IFELanguage* language = nullptr;
        if (SUCCEEDED(CLSIDFromProgID(L"MSIME.Japan", &japanese)) &&
            SUCCEEDED(CoCreateInstance(japanese, nullptr, CLSCTX_INPROC_SERVER, kIFELanguage,
                                       reinterpret_cast<void**>(&language)))) {
            if (language->Open() == S_OK) {
                method_ = std::make_unique<Method>();
                method_->language = language;
            } else {
                language->Release();
            }
        }
    }
    if (!method_)
        return L"";
    const Bstr input(SysAllocStringLen(text.data(), static_cast<UINT>(text.size())));
    Bstr reading;
    if (!input.Get() || method_->language->GetPhonetic(input.Get(), 1, -1, reading.Out()) != S_OK || !reading.Get())
        return L"";
    return std::wstring(reading.Get(), SysStringLen(reading.Get()));
}

SeamGuard OverrideKanjiReading(KanjiReadingFunction reading)
{
    return OverrideSeam(g_reading, std::move(reading));
}
