#include "data/program_catalog.h"

#include "data/start_menu_programs.h"
#include "support/apps_folder.h"
#include "support/kanji_reading.h"

#include <objbase.h>

namespace {
// How long the folders must be quiet after a change before they are read
// again: an installer writes many files at once.
constexpr DWORD kSettleTime = 300;
constexpr int kSettleRounds = 10;

constexpr DWORD kWatchedChanges = FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME;

std::vector<ProgramEntry> StoreAppEntries(const std::vector<StoreApp>& apps)
{
    std::vector<ProgramEntry> entries;
    for (const StoreApp& app : apps)
        entries.push_back({ProgramKind::StoreApp, app.name, kAppsFolderPrefix + app.appId, L""});
    return entries;
}

// The COM apartment of the reading thread, as the input method needs it.
class ApartmentScope {
public:
    ApartmentScope() : initialised_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~ApartmentScope()
    {
        if (initialised_)
            CoUninitialize();
    }
    ApartmentScope(const ApartmentScope&) = delete;
    ApartmentScope& operator=(const ApartmentScope&) = delete;

private:
    bool initialised_;
};
}  // namespace

ProgramCatalog::ProgramCatalog(HWND window, UINT message)
    : window_(window), message_(message), stopEvent_(CreateEventW(nullptr, TRUE, FALSE, nullptr)),
      refreshEvent_(CreateEventW(nullptr, FALSE, FALSE, nullptr)), thread_([this] { Run(); })
{
}

ProgramCatalog::~ProgramCatalog()
{
    stop_ = true;
    if (stopEvent_)
        SetEvent(stopEvent_.Get());
    thread_.join();
}

std::shared_ptr<const ProgramIndex> ProgramCatalog::Programs() const
{
    const std::lock_guard<std::mutex> lock(mutex_);
    return programs_;
}

void ProgramCatalog::Refresh(std::vector<std::wstring> titles)
{
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        titles_ = std::move(titles);
    }
    if (refreshEvent_)
        SetEvent(refreshEvent_.Get());
}

std::wstring ProgramCatalog::ReadingOf(const std::wstring& text) const
{
    const std::lock_guard<std::mutex> lock(mutex_);
    const auto found = readings_.find(text);
    return found == readings_.end() ? L"" : found->second;
}

void ProgramCatalog::Run()
{
    const ApartmentScope apartment;
    KanjiReader reader;
    const std::vector<std::wstring> folders = ProgramsFolders();
    std::vector<ScopedChangeWatch> watches;
    for (const std::wstring& folder : folders) {
        ScopedChangeWatch watch(FindFirstChangeNotificationW(folder.c_str(), TRUE, kWatchedChanges));
        if (watch)
            watches.push_back(std::move(watch));
    }
    do {
        Read(&reader, folders);
    } while (WaitForWork(watches));
}

bool ProgramCatalog::WaitForWork(const std::vector<ScopedChangeWatch>& watches)
{
    if (!stopEvent_ || !refreshEvent_)
        return false;
    std::vector<HANDLE> handles = {stopEvent_.Get(), refreshEvent_.Get()};
    for (const ScopedChangeWatch& watch : watches)
        handles.push_back(watch.Get());
    const auto count = static_cast<DWORD>(handles.size());
    const DWORD woken = WaitForMultipleObjects(count, handles.data(), FALSE, INFINITE);
    if (woken == WAIT_OBJECT_0 + 1)
        return !stop_;
    if (woken < WAIT_OBJECT_0 + 2 || woken >= WAIT_OBJECT_0 + count)
        return false;  // the stop, or the wait failed
    // A change: once the folders are quiet for a while (or after a few rounds), they are read again.
    for (int round = 0; round < kSettleRounds; ++round) {
        for (size_t i = 2; i < handles.size(); ++i)
            FindNextChangeNotification(handles[i]);
        const DWORD more = WaitForMultipleObjects(count, handles.data(), FALSE, kSettleTime);
        if (more == WAIT_OBJECT_0 || stop_)
            return false;
        if (more == WAIT_TIMEOUT)
            break;
    }
    return true;
}

void ProgramCatalog::Read(KanjiReader* reader, const std::vector<std::wstring>& folders)
{
    std::vector<ProgramEntry> programs;
    std::vector<StoreApp> apps;
    if (!ListStartMenuPrograms(folders, stop_, &programs) || !ListStoreApps(stop_, &apps))
        return;
    for (ProgramEntry& app : StoreAppEntries(apps))
        programs.push_back(std::move(app));
    std::vector<std::wstring> titles;
    std::map<std::wstring, std::wstring> known;
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        titles = titles_;
        known = readings_;
    }
    std::map<std::wstring, std::wstring> readings;
    const ReadingLookup read = [&](const std::wstring& text) {
        const auto found = known.find(text);
        const std::wstring reading = found != known.end() ? found->second : reader->ReadingOf(text);
        readings[text] = reading;
        return reading;
    };
    for (const std::wstring& title : titles) {
        if (HoldsKanji(title.c_str()))
            read(title);
    }
    std::shared_ptr<const ProgramIndex> index = MakeProgramIndex(std::move(programs), read);
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        if (stop_ || (programs_ && programs_->programs == index->programs && readings_ == readings))
            return;  // nothing new: the window is left as it is
        programs_ = std::move(index);
        readings_ = std::move(readings);
    }
    PostMessageW(window_, message_, 0, 0);
}
