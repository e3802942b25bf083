// The library operations on the real main window with its real, visible list view, each beside
// the same operation done the literal way, and the time from entry to a loaded window.

#include <windows.h>

#include <commctrl.h>

#include <chrono>
#include <cstdio>
#include <cstring>

#include "BenchSupport.h"
#include "LibraryCommands.h"
#include "ListWordTable.h"
#include "LiteralRules.h"
#include "TableHistory.h"
#include "TableSearch.h"
#include "UserWordFormat.h"
#include "Win32ChineseDecoder.h"
#include "Win32Clipboard.h"
#include "Win32FileSystem.h"
#include "WinApp.h"
#include "WindowHarness.h"
#include "WordListText.h"
#include "WordMaintDlg.h"
#include "fakes/RecordingPrompt.h"
#include "resource.h"

namespace {

using Clock = std::chrono::steady_clock;
using emb::WordRecord;

const Clock::time_point g_entry = Clock::now();

class BenchApp final : public afx::CWinApp {};

// The main window with its word list within reach of the benchmark.
class BenchDlg final : public CWordMaintDlg {
public:
    afx::CListCtrl& List() { return m_wordList; }
    void SelectAll() { OnSelectAll(); }
    void DeleteRows() { OnDeleteRows(); }
    void Undo() { OnUndo(); }
    void Redo() { OnRedo(); }
    void Paste() { OnPaste(); }
    const emb::LibraryPaths& Paths() const { return m_paths; }
};

// The rows with their states, as the user sees them.
std::wstring Shown(HWND list) {
    return uitest::Harness::RowsOf(list) + uitest::Harness::RowsOf(list, true);
}

// Load literally: a row at a time with the list repainting.
void LoadLiterally(afx::CListCtrl& list, const std::wstring& path) {
    uitest::LiteralListTable table(list);
    emb::StdioFileSystem files;
    auto file = files.OpenForUpdate(std::u16string(path.begin(), path.end()));
    emb::reference::LoadRecordsRowByRow(table, emb::ReadAllRecords(*file));
}

class Bench {
public:
    Bench(BenchDlg& dialog, uitest::InstalledLibraries& installed)
        : m_dialog(dialog), m_installed(installed) {}

    void Run(int size, int runs) {
        char title[64];
        std::snprintf(title, sizeof title, "%d rows in the window (median of %d runs)", size, runs);
        bench::PrintHeader(title);
        const std::vector<WordRecord> words = bench::MakeWords(size, 1);
        const std::wstring library = m_installed.SimplifiedPath();
        WriteRecords(library, words);
        const std::wstring backup = m_installed.TempPath(L"bench-backup.EMB");
        HWND list = m_dialog.List().m_hWnd;

        const auto load = [&] { Choose(kSimplified); };

        // Load, each time over the same rows unchanged.
        double fast = bench::MedianMilliseconds(runs, load, load);
        const std::wstring loaded = Shown(list);
        // The literal ways that repaint the list for every row take about 30 s for 1,221 rows
        // under Wine and grow with the square of the rows: run once, and not for the stress
        // table, where they would take hours.
        const bool paintingLiteralWays = size <= emb::kWordLimit;
        double slow = 0;
        if (paintingLiteralWays) {
            slow = bench::MedianMilliseconds(
                1, [] {}, [&] { LoadLiterally(m_dialog.List(), library); });
        }
        bench::PrintRow("load", fast, slow, slow == 0 || Shown(list) == loaded);

        // Import of new records, and of records that are all duplicates.
        for (const bool duplicates : {false, true}) {
            const std::vector<WordRecord> records =
                duplicates
                    ? std::vector<WordRecord>(words.begin(), words.begin() + std::min(size, 1221))
                    : bench::MakeWords(1221, 2);
            WriteRecords(backup, records);
            fast = bench::MedianMilliseconds(runs, load, [&] { Import(backup); });
            const std::wstring imported = Shown(list);
            slow = 0;
            if (duplicates || paintingLiteralWays) {
                slow = bench::MedianMilliseconds(1, load, [&] {
                    uitest::LiteralListTable table(m_dialog.List());
                    emb::reference::ImportRecordsScanningRows(table, records);
                });
            }
            bench::PrintRow(
                duplicates ? "import of 1,221 duplicates" : "import of 1,221 new records", fast,
                slow, slow == 0 || Shown(list) == imported);
        }

        // Tidy-up with every step-th row incomplete; with every row, all of them go, the
        // focused blank row among them.
        const auto tidyUp = [&](int step, const char* what) {
            const auto incomplete = [&] {
                load();
                {
                    ListWordTable table(m_dialog.List());
                    for (int row = 0; row < size; row += step) {
                        table.SetCellText(row, emb::kPhraseColumn, u"");
                    }
                }
                // Painted now, as the message loop would have painted it before the user's
                // next command.
                ::UpdateWindow(list);
            };
            const double tidied = bench::MedianMilliseconds(runs, incomplete, [&] {
                ListWordTable table(m_dialog.List());
                emb::TidyUpRows(table);
            });
            const std::wstring shown = Shown(list);
            double literal = 0;
            if (paintingLiteralWays) {
                literal = bench::MedianMilliseconds(1, incomplete, [&] {
                    uitest::LiteralListTable table(m_dialog.List());
                    emb::reference::TidyUpRowsOneByOne(table);
                });
            }
            bench::PrintRow(what, tidied, literal,
                            (step > 1 || shown.empty()) && (literal == 0 || Shown(list) == shown));
        };
        tidyUp(2, "tidy-up, every other row incomplete");
        tidyUp(1, "tidy-up, every row incomplete");

        // Sort of a shuffled table.
        const auto tidyLoad = [&] {
            load();
            ListWordTable table(m_dialog.List());
            emb::TidyUpRows(table);
        };
        fast = bench::MedianMilliseconds(runs, tidyLoad, [&] {
            ListWordTable table(m_dialog.List());
            emb::SortRowsByCode(table, 0, table.RowCount() - 1);
        });
        const std::wstring sorted = Shown(list);
        slow = bench::MedianMilliseconds(1, tidyLoad, [&] {
            uitest::LiteralListTable table(m_dialog.List());
            emb::reference::SortRowsByCodeThroughCells(table, 0, table.RowCount() - 1);
        });
        bench::PrintRow("sort of a shuffled table", fast, slow, Shown(list) == sorted);

        // Save through the button: tidy-up, sort, limit, write, read back. A table over the word
        // limit is only tidied and sorted: the button would stop at the refusal's message box.
        if (size <= emb::kWordLimit) {
            fast = bench::MedianMilliseconds(runs, load,
                                             [&] { m_dialog.SendMessage(WM_COMMAND, IDOK, 0); });
            bench::PrintRow("save", fast, 0,
                            uitest::InstalledLibraries::Read(library) ==
                                emb::BuildFileImage(RowsAsRecords()).bytes);
        } else {
            bool refused = false;
            fast = bench::MedianMilliseconds(runs, load, [&] {
                ListWordTable table(m_dialog.List());
                refused = !emb::PrepareRowsForSave(table);
            });
            bench::PrintRow("save's tidy-up and sort (then refused)", fast, 0, refused);
        }

        // What every operation above pays at least: its list's redrawing turned off and on
        // again, and the rows repainted once.
        fast = bench::MedianMilliseconds(runs, load, [&] {
            ListWordTable table(m_dialog.List());
            table.SetCellText(0, emb::kNumberColumn, emb::FormatRowNumber(0));
        });
        bench::PrintRow("(redrawing off and on, nothing changed)", fast, 0, true);

        // Clear.
        fast = bench::MedianMilliseconds(runs, load, [&] {
            ListWordTable table(m_dialog.List());
            table.DeleteAllRows();
        });
        bench::PrintRow("clear", fast, 0, Shown(list).empty());

        // Every word deleted at once (Ctrl+A, Delete), the deletion undone, and made again. The
        // history keeps no step of more rows than StepRecorder::kMaxRows.
        load();
        const std::wstring loadedRows = uitest::Harness::RowsOf(list);
        const auto selected = [&] {
            load();
            m_dialog.SelectAll();
            ::UpdateWindow(list);
        };
        fast = bench::MedianMilliseconds(runs, selected, [&] { m_dialog.DeleteRows(); });
        bench::PrintRow("delete of every word", fast, 0,
                        uitest::Harness::RowsOf(list) == L"  0000;");
        if (static_cast<std::size_t>(size) < emb::StepRecorder::kMaxRows) {
            const auto deleted = [&] {
                selected();
                m_dialog.DeleteRows();
                ::UpdateWindow(list);
            };
            fast = bench::MedianMilliseconds(runs, deleted, [&] { m_dialog.Undo(); });
            bench::PrintRow("undo of it", fast, 0, uitest::Harness::RowsOf(list) == loadedRows);
            fast = bench::MedianMilliseconds(
                runs,
                [&] {
                    deleted();
                    m_dialog.Undo();
                    ::UpdateWindow(list);
                },
                [&] { m_dialog.Redo(); });
            bench::PrintRow("redo of it", fast, 0, uitest::Harness::RowsOf(list) == L"  0000;");
        }

        // Finding the last word from the first row; pasting 1,221 new words.
        load();  // Save has sorted the file: the last row is the last of the list
        const std::u16string lastPhrase =
            ListWordTable(m_dialog.List()).CellText(size - 1, emb::kPhraseColumn);
        int found = -1;
        fast = bench::MedianMilliseconds(
            runs, [] {},
            [&] {
                found = emb::FindRow(ListWordTable(m_dialog.List()), {lastPhrase, true}, 0);
            });
        bench::PrintRow("find of the last word", fast, 0, found == size - 1);
        const std::vector<WordRecord> pasted = bench::MakeWords(1221, 2);
        const std::size_t fresh = emb::NewWords(words, pasted).size();
        emb::SetClipboardText(m_dialog.m_hWnd, emb::WordListLines(pasted));
        fast = bench::MedianMilliseconds(runs, load, [&] { m_dialog.Paste(); });
        bench::PrintRow("paste of 1,221 new words", fast, 0,
                        m_dialog.List().GetItemCount() == size + static_cast<int>(fresh) + 1);
    }

    // A library whose count field is damaged to 65,535 (FF FF) and whose records are all empty:
    // it loads as 65,535 empty rows and the blank row, and Save's tidy-up removes every one. The
    // other library holds 1,221 words.
    void RunDamagedCount(int runs) {
        char title[96];
        std::snprintf(title, sizeof title,
                      "a damaged count field: 65,535 empty rows in the window (median of %d runs)",
                      runs);
        bench::PrintHeader(title);
        const std::wstring library = m_installed.SimplifiedPath();
        uitest::InstalledLibraries::WriteLibrary(m_installed.TraditionalPath(),
                                                 bench::MakeWords(1221, 1));
        std::vector<std::uint8_t> damaged = emb::EmptyFileImage();
        damaged[0] = 0xFF;
        damaged[1] = 0xFF;
        HWND list = m_dialog.List().m_hWnd;
        const auto load = [&](std::u16string_view entry) {
            Choose(entry);
            ::UpdateWindow(list);
        };
        const auto loadDamaged = [&] {
            uitest::InstalledLibraries::Write(library, damaged);
            load(kSimplified);
        };

        double fast = bench::MedianMilliseconds(
            runs,
            [&] {
                uitest::InstalledLibraries::Write(library, damaged);
                load(kTraditional);
            },
            [&] { Choose(kSimplified); });
        bench::PrintRow("load, after the other library", fast, 0,
                        m_dialog.List().GetItemCount() == 65536);

        fast = bench::MedianMilliseconds(runs, loadDamaged, [&] {
            ListWordTable table(m_dialog.List());
            emb::TidyUpRows(table);
        });
        bench::PrintRow("tidy-up, every row incomplete", fast, 0,
                        m_dialog.List().GetItemCount() == 0);

        fast = bench::MedianMilliseconds(runs, loadDamaged,
                                         [&] { m_dialog.SendMessage(WM_COMMAND, IDOK, 0); });
        bench::PrintRow("save (an empty library written)", fast, 0,
                        m_dialog.List().GetItemCount() == 0 &&
                            uitest::InstalledLibraries::Read(library) == emb::EmptyFileImage());

        // Leaving it unsaved: the list empties its 65,536 rows first.
        fast = bench::MedianMilliseconds(runs, loadDamaged, [&] { Choose(kTraditional); });
        bench::PrintRow("load of the other library over it", fast, 0,
                        m_dialog.List().GetItemCount() == 1222);
    }

private:
    static constexpr std::u16string_view kSimplified = emb::kSimplifiedEntry;
    static constexpr std::u16string_view kTraditional = emb::kTraditionalEntry;

    // Chooses a library in the combo box, as the user does. When the table has changes since
    // its load, the window asks about them first; they are let go, as a setup step wants. (The
    // timed choices start from an unchanged table and are asked nothing.)
    void Choose(std::u16string_view entry) {
        const UINT_PTR answerer = ::SetTimer(nullptr, 0, 1, &LetChangesGo);
        const HWND combo = m_dialog.GetDlgItem(IDC_LIBRARY_COMBO);
        const auto index =
            ::SendMessageW(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                           reinterpret_cast<LPARAM>(uitest::Harness::Wide(entry).c_str()));
        ::SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        m_dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_LIBRARY_COMBO, CBN_SELCHANGE),
                             reinterpret_cast<LPARAM>(combo));
        ::KillTimer(nullptr, answerer);
    }
    static void CALLBACK LetChangesGo(HWND, UINT, UINT_PTR, DWORD) noexcept {
        if (const HWND question = uitest::Harness::FindMessageBox()) {
            uitest::Harness::PressButton(question, IDNO);
        }
    }

    static void WriteRecords(const std::wstring& path, const std::vector<WordRecord>& records) {
        // A count beyond the word limit still reads back: the records lie past the usual end.
        std::vector<std::uint8_t> bytes(emb::kCountFieldSize + records.size() * emb::kRecordSize);
        bytes[0] = static_cast<std::uint8_t>(records.size() & 0xFF);
        bytes[1] = static_cast<std::uint8_t>(records.size() >> 8);
        for (std::size_t i = 0; i < records.size(); ++i) {
            const auto put = [&](std::size_t offset, const std::u16string& text) {
                for (const char16_t unit : text) {
                    bytes[offset++] = static_cast<std::uint8_t>(unit & 0xFF);
                    bytes[offset++] = static_cast<std::uint8_t>(unit >> 8);
                }
            };
            put(static_cast<std::size_t>(emb::CodeFieldOffset(i)), records[i].code);
            put(static_cast<std::size_t>(emb::PhraseFieldOffset(i)), records[i].phrase);
        }
        if (bytes.size() < emb::kFileSize) {
            bytes.resize(emb::kFileSize);
        }
        uitest::InstalledLibraries::Write(path, bytes);
    }

    void Import(const std::wstring& backup) {
        ListWordTable table(m_dialog.List());
        emb::Win32FileSystem files;
        emb::testing::RecordingPrompt prompt;
        prompt.fileAnswers.push_back(std::u16string(backup.begin(), backup.end()));
        emb::ImportWords({table, m_dialog.Paths(), files, prompt}, emb::Win32ChineseDecoder());
    }

    std::vector<WordRecord> RowsAsRecords() {
        ListWordTable table(m_dialog.List());
        return emb::RowsAsRecords(table);
    }

    BenchDlg& m_dialog;
    uitest::InstalledLibraries& m_installed;
};

}  // namespace

// Arguments choose parts: 1221, 20000, damaged (all of them when none is given).
int main(int argc, char** argv) {
    // Each figure shows as soon as it is measured.
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    ::InitCommonControls();
    BenchApp app;
    app.m_hInstance = ::GetModuleHandleW(nullptr);
    app.m_strAppName = L"window_bench";

    uitest::InstalledLibraries installed;
    installed.InstallEdition(L"EDNQA");
    installed.WriteLibrary(installed.SimplifiedPath(), bench::MakeWords(1221, 1));

    BenchDlg dialog;
    app.m_pMainWnd = &dialog;
    uitest::Harness::Open(dialog);
    if (!uitest::Harness::Wait("the window shows",
                               [&] { return ::IsWindowVisible(dialog.m_hWnd) != FALSE; })) {
        return 1;
    }
    const HWND combo = dialog.GetDlgItem(IDC_LIBRARY_COMBO);
    const auto index = ::SendMessageW(
        combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
        reinterpret_cast<LPARAM>(uitest::Harness::Wide(emb::kSimplifiedEntry).c_str()));
    ::SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_LIBRARY_COMBO, CBN_SELCHANGE),
                       reinterpret_cast<LPARAM>(combo));
    ::UpdateWindow(dialog.m_hWnd);
    const double startup =
        std::chrono::duration<double, std::milli>(Clock::now() - g_entry).count();
    std::printf("from entry to the window with 1,221 words loaded: %.1f ms\n", startup);
    const auto wanted = [&](const char* part) {
        if (argc < 2) {
            return true;
        }
        for (int k = 1; k < argc; ++k) {
            if (std::strcmp(argv[k], part) == 0) {
                return true;
            }
        }
        return false;
    };
    Bench bench(dialog, installed);
    if (wanted("1221")) {
        bench.Run(1221, 11);
    }
    if (wanted("20000")) {
        bench.Run(20000, 3);
    }
    if (wanted("damaged")) {
        bench.RunDamagedCount(5);
    }
    std::fflush(stdout);
    dialog.EndDialog(IDCANCEL);
    const bool closed =
        uitest::Harness::Wait("the window closes", [] { return uitest::Harness::WindowClosed(); });
    uitest::Harness::Finish();
    return closed ? 0 : 1;
}
