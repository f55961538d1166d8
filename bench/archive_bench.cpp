// Archive benchmark (not a test): packs and extracts two trees and one file
// past 4 GiB with the launcher's archive code and compares with zlib's raw
// deflate/inflate of the same bytes in this process.
//   porun_archive_bench [--folder <path>] [--runs N (small files, 15)]
//                       [--large-files N (0: none)] [--large-mb M]
//                       [--huge-mb M (0: none)] [--keep]
// The small files are measured against floors timed in the same run: the
// same files written with the bare Win32 calls, and read back the same way.
// bench/archive_bench.sh runs it and times Info-ZIP zip/unzip on the same trees.
#include "bench/bench_time.h"

#include "archive/zip_extract.h"
#include "archive/zip_io.h"
#include "archive/zip_packer.h"
#include "support/progress_window.h"

#include <shellapi.h>
#include <zlib.h>

#include <cstdio>
#include <algorithm>
#include <cwchar>
#include <string>
#include <vector>

namespace {

// Seconds, as the archive figures are printed.
double Now()
{
    return NowMs() / 1000.0;
}

// Mixed data: text-like runs that compress well, interleaved with random blocks.
std::string MixedData(size_t size, unsigned seed)
{
    static const char* const words[] = {"bento ", "porun ", "launcher ", "button ", "group ", "archive ",
                                        "folder ", "desktop ", "=(o.o)= ", "\r\n"};
    std::string out;
    out.reserve(size);
    unsigned state = seed * 2654435761u + 1;
    auto next = [&state] {
        state = state * 1103515245u + 12345u;
        return state >> 8;
    };
    while (out.size() < size) {
        if (next() % 4 == 0) {
            for (int i = 0; i < 4096 && out.size() < size; ++i)
                out.push_back(static_cast<char>(next()));
        } else {
            for (int i = 0; i < 600 && out.size() < size; ++i)
                out += words[next() % 10];
        }
    }
    out.resize(size);
    return out;
}

bool WriteAll(const std::wstring& path, const std::string& data)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const BOOL ok = WriteFile(file, data.data(), static_cast<DWORD>(data.size()), &written, nullptr);
    CloseHandle(file);
    return ok && written == data.size();
}

void RemoveTree(const std::wstring& path)
{
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW((path + L"\\*").c_str(), &found);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = found.cFileName;
            if (name == L"." || name == L"..")
                continue;
            const std::wstring child = path + L"\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(child);
            else
                DeleteFileW(child.c_str());
        } while (FindNextFileW(find, &found));
        FindClose(find);
    }
    RemoveDirectoryW(path.c_str());
}

struct Tree {
    std::wstring folder;
    std::vector<std::string> contents;  // every file's bytes, for the raw zlib runs
};

Tree MakeSmallTree(const std::wstring& root)
{
    Tree tree{root + L"\\small", {}};
    CreateDirectoryW(tree.folder.c_str(), nullptr);
    for (int d = 0; d < 20; ++d) {
        const std::wstring sub = tree.folder + L"\\d" + std::to_wstring(d);
        CreateDirectoryW(sub.c_str(), nullptr);
        for (int f = 0; f < 100; ++f) {
            tree.contents.push_back(MixedData(1024 + static_cast<size_t>((d * 100 + f) * 37 % 7168), d * 100 + f));
            WriteAll(sub + L"\\f" + std::to_wstring(f) + L".txt", tree.contents.back());
        }
    }
    return tree;
}

Tree MakeLargeTree(const std::wstring& root, int files, size_t megabytes)
{
    Tree tree{root + L"\\large", {}};
    CreateDirectoryW(tree.folder.c_str(), nullptr);
    for (int i = 0; i < files; ++i) {
        tree.contents.push_back(MixedData(megabytes << 20, 1000 + i));
        WriteAll(tree.folder + L"\\big" + std::to_wstring(i) + L".bin", tree.contents.back());
    }
    return tree;
}

// Raw deflate of every file (zlib default level); returns the compressed streams.
std::vector<std::string> RawDeflate(const Tree& tree, double* seconds)
{
    std::vector<std::string> out;
    const double start = Now();
    // One compressor reset between the files, as the packer does.
    z_stream stream{};
    deflateInit2(&stream, Z_DEFAULT_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
    for (const std::string& data : tree.contents) {
        deflateReset(&stream);
        std::string packed(deflateBound(&stream, static_cast<uLong>(data.size())), '\0');
        stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
        stream.avail_in = static_cast<uInt>(data.size());
        stream.next_out = reinterpret_cast<Bytef*>(&packed[0]);
        stream.avail_out = static_cast<uInt>(packed.size());
        deflate(&stream, Z_FINISH);
        packed.resize(stream.total_out);
        out.push_back(std::move(packed));
    }
    deflateEnd(&stream);
    *seconds = Now() - start;
    return out;
}

double Pack(const std::wstring& folder, const std::wstring& archive, bool withProgress)
{
    ProgressDialog progress;
    unsigned counter = 0;
    if (withProgress) {
        ZipPacker counting;  // the counting pass is not timed
        counting.PackItem(folder.c_str(), 1, 0, nullptr, &counter, 1);
        progress.Show(nullptr);
        progress.SetTotal(counting.Work());
    }
    const double start = Now();
    ZipPacker packer;
    packer.Open(archive.c_str());
    packer.PackItem(folder.c_str(), 1, 0, withProgress ? &progress : nullptr, &counter, 0);
    packer.Close();
    return Now() - start;
}

double Extract(const std::wstring& archive, const std::wstring& folder)
{
    RemoveTree(folder);
    const double start = Now();
    ExtractArchive(archive.c_str(), folder.c_str(), nullptr, nullptr);
    return Now() - start;
}

// One file past 4 GiB (a disk image or a video stands for it): a 64 MiB
// block of mixed data written again and again. Deflate's window is 32 KiB,
// so the repetition does not make its work any lighter.
struct HugeFile {
    std::wstring folder;
    std::string block;
    unsigned long long size;
};

template <typename Sink>
void ForEachHugeChunk(const HugeFile& huge, Sink sink)
{
    for (unsigned long long done = 0; done < huge.size;) {
        const size_t length = static_cast<size_t>(std::min<unsigned long long>(huge.block.size(), huge.size - done));
        sink(huge.block.data(), length);
        done += length;
    }
}

HugeFile MakeHugeFile(const std::wstring& root, unsigned long long megabytes)
{
    HugeFile huge{root + L"\\huge", MixedData(64 << 20, 4242), megabytes * 1000000ULL};
    CreateDirectoryW(huge.folder.c_str(), nullptr);
    HANDLE file = CreateFileW((huge.folder + L"\\disk.img").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0,
                              nullptr);
    ForEachHugeChunk(huge, [file](const char* data, size_t length) {
        DWORD written = 0;
        WriteFile(file, data, static_cast<DWORD>(length), &written, nullptr);
    });
    CloseHandle(file);
    return huge;
}

// Raw deflate of the huge file's bytes into a file beside it, in 1 MiB steps.
double RawDeflateHuge(const HugeFile& huge, const std::wstring& output)
{
    const double start = Now();
    HANDLE file = CreateFileW(output.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    z_stream stream{};
    deflateInit2(&stream, Z_DEFAULT_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
    std::string out(1 << 20, '\0');
    auto drain = [&](int flush) {
        do {
            stream.next_out = reinterpret_cast<Bytef*>(&out[0]);
            stream.avail_out = static_cast<uInt>(out.size());
            deflate(&stream, flush);
            DWORD written = 0;
            WriteFile(file, out.data(), static_cast<DWORD>(out.size() - stream.avail_out), &written, nullptr);
        } while (stream.avail_out == 0);
    };
    ForEachHugeChunk(huge, [&](const char* data, size_t length) {
        for (size_t at = 0; at < length; at += 1 << 20) {
            stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data + at));
            stream.avail_in = static_cast<uInt>(std::min<size_t>(1 << 20, length - at));
            drain(Z_NO_FLUSH);
        }
    });
    drain(Z_FINISH);
    deflateEnd(&stream);
    CloseHandle(file);
    return Now() - start;
}

// Raw inflate of that stream, read in 1 MiB steps; the output is dropped.
double RawInflateHuge(const std::wstring& input, unsigned long long expected)
{
    const double start = Now();
    HANDLE file = CreateFileW(input.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    z_stream stream{};
    inflateInit2(&stream, -MAX_WBITS);
    std::string in(1 << 20, '\0');
    std::string out(1 << 20, '\0');
    unsigned long long total = 0;
    for (;;) {
        if (stream.avail_in == 0) {
            DWORD read = 0;
            if (!ReadFile(file, &in[0], static_cast<DWORD>(in.size()), &read, nullptr) || read == 0)
                break;
            stream.next_in = reinterpret_cast<Bytef*>(&in[0]);
            stream.avail_in = read;
        }
        stream.next_out = reinterpret_cast<Bytef*>(&out[0]);
        stream.avail_out = static_cast<uInt>(out.size());
        const int status = inflate(&stream, Z_NO_FLUSH);
        total += out.size() - stream.avail_out;
        if (status != Z_OK && status != Z_BUF_ERROR)
            break;
    }
    inflateEnd(&stream);
    CloseHandle(file);
    if (total != expected)
        std::printf("raw inflate of the huge file: %llu bytes instead of %llu\n", total, expected);
    return Now() - start;
}

// The floor of a large extraction: every stream (the archive's) inflated (zlib) into blocks
// of the size the extractor writes, each written to its file as it comes.
double InflateAndWrite(const std::vector<std::string>& streams, const std::wstring& folder)
{
    RemoveTree(folder);
    CreateDirectoryW(folder.c_str(), nullptr);
    std::string buffer(256 << 10, '\0');
    const double start = Now();
    for (size_t i = 0; i < streams.size(); ++i) {
        HANDLE file = CreateFileW((folder + L"\\f" + std::to_wstring(i)).c_str(), GENERIC_WRITE, 0, nullptr,
                                  CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        z_stream stream{};
        inflateInit2(&stream, -MAX_WBITS);
        stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(streams[i].data()));
        stream.avail_in = static_cast<uInt>(streams[i].size());
        int status = Z_OK;
        while (status == Z_OK) {
            stream.next_out = reinterpret_cast<Bytef*>(&buffer[0]);
            stream.avail_out = static_cast<uInt>(buffer.size());
            status = inflate(&stream, Z_NO_FLUSH);
            DWORD written = 0;
            WriteFile(file, buffer.data(), static_cast<DWORD>(buffer.size() - stream.avail_out), &written, nullptr);
        }
        inflateEnd(&stream);
        CloseHandle(file);
    }
    const double seconds = Now() - start;
    RemoveTree(folder);
    return seconds;
}

// The compressed bytes of every entry in the archive, as its directory states them.
unsigned long long CompressedBytes(const std::wstring& archive)
{
    unsigned long long total = 0;
    unzFile zip = OpenZipForReading(archive.c_str());
    for (int status = zip ? unzGoToFirstFile(zip) : UNZ_END_OF_LIST_OF_FILE; status == UNZ_OK;
         status = unzGoToNextFile(zip)) {
        unz_file_info64 info{};
        if (unzGetCurrentFileInfo64(zip, &info, nullptr, 0, nullptr, 0, nullptr, 0) == UNZ_OK)
            total += info.compressed_size;
    }
    if (zip)
        unzClose(zip);
    return total;
}

// Every entry's compressed bytes as the archive holds them.
std::vector<std::string> StoredStreams(const std::wstring& archive)
{
    std::vector<std::string> streams;
    unzFile zip = OpenZipForReading(archive.c_str());
    for (int status = zip ? unzGoToFirstFile(zip) : UNZ_END_OF_LIST_OF_FILE; status == UNZ_OK;
         status = unzGoToNextFile(zip)) {
        unz_file_info64 info{};
        if (unzGetCurrentFileInfo64(zip, &info, nullptr, 0, nullptr, 0, nullptr, 0) != UNZ_OK ||
            unzOpenCurrentFile2(zip, nullptr, nullptr, 1) != UNZ_OK)
            continue;
        std::string stream(static_cast<size_t>(info.compressed_size), '\0');
        size_t done = 0;
        for (int read = 1; read > 0 && done < stream.size(); done += read > 0 ? read : 0)
            read = unzReadCurrentFile(zip, &stream[done], static_cast<unsigned>(stream.size() - done));
        unzCloseCurrentFile(zip);
        streams.push_back(std::move(stream));
    }
    if (zip)
        unzClose(zip);
    return streams;
}

unsigned long long TotalSize(const std::vector<std::string>& streams)
{
    unsigned long long total = 0;
    for (const std::string& stream : streams)
        total += stream.size();
    return total;
}

void PrintSizes(const char* tree, const std::wstring& archive, const std::vector<std::string>& zlibStreams)
{
    const unsigned long long ours = CompressedBytes(archive);
    const unsigned long long zlib = TotalSize(zlibStreams);
    std::printf("deflated size, %s: launcher %llu bytes, zlib's default level %llu bytes (%.2f %%)\n", tree, ours,
                zlib, zlib ? 100.0 * static_cast<double>(ours) / static_cast<double>(zlib) : 0.0);
}

// The floor of extraction: the same files made with the calls no extractor
// can skip (CreateFile, WriteFile, SetFileTime, CloseHandle), in the same
// folders, made first.
double WriteFloor(const Tree& tree, const std::wstring& folder)
{
    RemoveTree(folder);
    FILETIME stamp;
    GetSystemTimeAsFileTime(&stamp);
    const double start = Now();
    CreateDirectoryW(folder.c_str(), nullptr);
    size_t i = 0;
    for (int d = 0; d < 20; ++d) {
        const std::wstring sub = folder + L"\\d" + std::to_wstring(d);
        CreateDirectoryW(sub.c_str(), nullptr);
        for (int f = 0; f < 100 && i < tree.contents.size(); ++f, ++i) {
            HANDLE file = CreateFileW((sub + L"\\f" + std::to_wstring(f) + L".txt").c_str(), GENERIC_WRITE,
                                      FILE_SHARE_READ, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
            DWORD written = 0;
            WriteFile(file, tree.contents[i].data(), static_cast<DWORD>(tree.contents[i].size()), &written, nullptr);
            SetFileTime(file, &stamp, nullptr, &stamp);
            CloseHandle(file);
        }
    }
    return Now() - start;
}

// The floor of packing: the folder walk (FindFirstFile/FindNextFile) and
// every file opened, read and closed.
void ReadTree(const std::wstring& folder, std::vector<char>& buffer)
{
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE)
        return;
    do {
        if (!std::wcscmp(found.cFileName, L".") || !std::wcscmp(found.cFileName, L".."))
            continue;
        const std::wstring child = folder + L"\\" + found.cFileName;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            ReadTree(child, buffer);
            continue;
        }
        HANDLE file = CreateFileW(child.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        DWORD read = 0;
        while (ReadFile(file, buffer.data(), static_cast<DWORD>(buffer.size()), &read, nullptr) && read > 0) {
        }
        CloseHandle(file);
    } while (FindNextFileW(find, &found));
    FindClose(find);
}

double ReadFloor(const std::wstring& folder)
{
    std::vector<char> buffer(65536);
    const double start = Now();
    ReadTree(folder, buffer);
    return Now() - start;
}

}  // namespace

int main()
{
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    std::wstring root;
    int largeFiles = 3;
    size_t largeMb = 50;
    unsigned long long hugeMb = 4500;
    bool keep = false;
    int smallRuns = 15;
    for (int i = 1; i < argc; ++i) {
        if (!std::wcscmp(argv[i], L"--folder") && i + 1 < argc)
            root = argv[++i];
        else if (!std::wcscmp(argv[i], L"--large-files") && i + 1 < argc)
            largeFiles = static_cast<int>(std::wcstol(argv[++i], nullptr, 10));
        else if (!std::wcscmp(argv[i], L"--large-mb") && i + 1 < argc)
            largeMb = static_cast<size_t>(std::wcstoul(argv[++i], nullptr, 10));
        else if (!std::wcscmp(argv[i], L"--huge-mb") && i + 1 < argc)
            hugeMb = std::wcstoull(argv[++i], nullptr, 10);
        else if (!std::wcscmp(argv[i], L"--runs") && i + 1 < argc)
            smallRuns = std::max(1, static_cast<int>(std::wcstol(argv[++i], nullptr, 10)));
        else if (!std::wcscmp(argv[i], L"--keep"))
            keep = true;
    }
    LocalFree(argv);
    if (root.empty()) {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        root = std::wstring(temp) + L"porun-archive-bench";
    }
    RemoveTree(root);
    CreateDirectoryW(root.c_str(), nullptr);

    const Tree small = MakeSmallTree(root);
    const std::wstring smallZip = root + L"\\small.zip";
    Pack(small.folder, smallZip, false);  // warm-up
    // Every round runs each job once, so that the machine's load falls on all alike.
    std::vector<double> writeFloor, extract, readFloor, packBare, packShown;
    for (int round = 0; round < smallRuns; ++round) {
        writeFloor.push_back(WriteFloor(small, root + L"\\floor-small"));
        extract.push_back(Extract(smallZip, root + L"\\out-small"));
        readFloor.push_back(ReadFloor(small.folder));
        // Which of the two packs comes first alternates, so that neither
        // always follows the extraction or the other.
        const bool shownFirst = round % 2 == 1;
        if (shownFirst)
            packShown.push_back(Pack(small.folder, smallZip, true));
        packBare.push_back(Pack(small.folder, smallZip, false));
        if (!shownFirst)
            packShown.push_back(Pack(small.folder, smallZip, true));
    }
    RemoveTree(root + L"\\floor-small");
    double rawDeflateSmall = 1e30;
    std::vector<std::string> smallStreams;
    for (int i = 0; i < 3; ++i) {
        double t;
        smallStreams = RawDeflate(small, &t);
        rawDeflateSmall = std::min(rawDeflateSmall, t);
    }
    std::printf("%zu small files (1-8 KiB in 20 folders), medians of %d rounds\n", small.contents.size(), smallRuns);
    std::printf("%-44s %8s %8s %6s\n", "job", "launcher", "floor", "ratio");
    std::printf("%-44s %7.3fs %7.3fs %6.2f\n", "extract (floor: create, write, stamp, close)", Median(extract),
                Median(writeFloor), Median(extract) / Median(writeFloor));
    std::printf("%-44s %7.3fs %7.3fs %6.2f\n", "pack, no dialog (floor: walk, open, read)", Median(packBare),
                Median(readFloor), Median(packBare) / Median(readFloor));
    std::printf("%-44s %7.3fs %7.3fs %6.2f\n", "pack, progress shown", Median(packShown), Median(readFloor),
                Median(packShown) / Median(readFloor));
    std::printf("raw deflate of the same bytes in memory (best of 3): %.3fs; floor plus it: %.3fs\n", rawDeflateSmall,
                Median(readFloor) + rawDeflateSmall);
    PrintSizes("small files", smallZip, smallStreams);
    std::printf("median-s pack-small %.4f\n", Median(packBare));
    std::printf("progress updates: packing %+.1f %% with the dialog (medians %.3fs against %.3fs)\n",
                (Median(packShown) / Median(packBare) - 1.0) * 100.0, Median(packShown), Median(packBare));
    {
        // What the progress costs the packing thread by itself: the calls a
        // packing makes for each entry (the bar, the text at the display
        // interval, the cancel flag), with the window shown, timed alone.
        ProgressDialog shown;
        shown.Show(nullptr);
        shown.SetTotal(small.contents.size());
        std::vector<double> updates;
        for (int round = 0; round < smallRuns; ++round) {
            const double start = Now();
            for (size_t i = 0; i < small.contents.size(); ++i) {
                if (shown.DueForDisplay())
                    shown.SetText(L"f0.txt");
                shown.SetProgress(i);
                shown.IsCancelled();
            }
            updates.push_back(Now() - start);
        }
        std::printf("  the progress calls of %zu entries alone: %.3f ms, %.2f %% of the packing without the dialog\n",
                    small.contents.size(), Median(updates) * 1000.0, 100.0 * Median(updates) / Median(packBare));
    }

    if (largeFiles > 0) {
        const Tree large = MakeLargeTree(root, largeFiles, largeMb);
        double rawDeflateLarge = 1e30;
        std::vector<std::string> largeStreams;
        for (int i = 0; i < 3; ++i) {
            double t;
            largeStreams = RawDeflate(large, &t);
            rawDeflateLarge = std::min(rawDeflateLarge, t);
        }
        const std::wstring largeZip = root + L"\\large.zip";
        Pack(large.folder, largeZip, false);
        const std::vector<std::string> storedStreams = StoredStreams(largeZip);  // what extraction inflates
        std::vector<double> pack, extract, floor;
        for (int round = 0; round < smallRuns; ++round) {
            pack.push_back(Pack(large.folder, largeZip, true));
            extract.push_back(Extract(largeZip, root + L"\\out-large"));
            floor.push_back(InflateAndWrite(storedStreams, root + L"\\floor-large"));
        }
        RemoveTree(root + L"\\out-large");
        std::printf("%d x %zu MiB mixed files, medians of %d rounds\n", largeFiles, largeMb, smallRuns);
        std::printf("%-44s %8s %8s %6s\n", "job", "launcher", "floor", "ratio");
        std::printf("%-44s %7.3fs %7.3fs %6.2f\n", "extract (floor: zlib inflate of its data, write)", Median(extract),
                    Median(floor), Median(extract) / Median(floor));
        std::printf("%-44s %7.3fs %7.3fs %6.2f\n", "pack, progress shown (against zlib deflate)", Median(pack),
                    rawDeflateLarge, Median(pack) / rawDeflateLarge);
        PrintSizes("large files", largeZip, largeStreams);
        std::printf("median-s pack-large %.4f\n", Median(pack));
    }
    if (hugeMb > 0) {
        // One run each: a pass over 4.5 GB takes a minute or more.
        const HugeFile huge = MakeHugeFile(root, hugeMb);
        const double rawDeflate = RawDeflateHuge(huge, root + L"\\huge.deflate");
        const double rawInflate = RawInflateHuge(root + L"\\huge.deflate", huge.size);
        DeleteFileW((root + L"\\huge.deflate").c_str());
        const double pack = Pack(huge.folder, root + L"\\huge.zip", true);
        if (!keep)
            RemoveTree(huge.folder);
        const double extract = Extract(root + L"\\huge.zip", root + L"\\out-huge");
        RemoveTree(root + L"\\out-huge");
        if (!keep)
            DeleteFileW((root + L"\\huge.zip").c_str());
        std::printf("one file of %llu MB, one run each\n", hugeMb);
        std::printf("%-34s %8.3fs %8.3fs %7.2f\n", "pack one huge file (deflate)", pack, rawDeflate, pack / rawDeflate);
        std::printf("%-34s %8.3fs %8.3fs %7.2f\n", "extract one huge file (inflate)", extract, rawInflate,
                    extract / rawInflate);
    }
    if (!keep)
        RemoveTree(root);
    else
        std::printf("trees kept in %ls\n", root.c_str());
    return 0;
}
