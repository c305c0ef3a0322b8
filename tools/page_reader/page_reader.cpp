// Reads what the running program's page shows, from another process in the
// same Wine prefix, for a person at a terminal:
//
//   page_reader start-button MS   waits for the start page; prints the screen
//                                 point at the middle of the start button
//   page_reader verdict MS        waits for the result page; prints the verdict
//
// Output is UTF-8. Exit codes: 0 done, 1 bad arguments, 2 the page did not
// come within MS milliseconds, 3 the page shows a banner the program does
// not hold.
#include <windows.h>

#include <cstdlib>
#include <string>

#include "res/page_layout.h"
#include "res/program_names.h"
#include "res/resource_ids.h"
#include "tools/window_reading/checker_process.h"
#include "tools/window_reading/window_probe.h"

namespace {

std::string Utf8FromCp932(const std::string& text) {
  if (text.empty()) return text;
  const int wideLength = MultiByteToWideChar(932, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(wideLength, L'\0');
  MultiByteToWideChar(932, 0, text.data(), static_cast<int>(text.size()), &wide[0], wideLength);
  const int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
  std::string utf8(length, '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, &utf8[0], length, nullptr, nullptr);
  return utf8;
}

// Texts here, like the program's, are code page 932; the terminal reads UTF-8.
void WriteTo(DWORD stream, const std::string& cp932) {
  const std::string utf8 = Utf8FromCp932(cp932);
  DWORD written = 0;
  WriteFile(GetStdHandle(stream), utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
}

void Print(const std::string& cp932) { WriteTo(STD_OUTPUT_HANDLE, cp932); }
void PrintError(const std::string& cp932) { WriteTo(STD_ERROR_HANDLE, cp932); }

// The statics pad and break their texts to place them on the page; one line
// on a terminal reads better, so every run of blanks and line ends becomes
// one space. Full-width spaces count: the page pads with them too.
std::string OneLine(const std::string& cp932) {
  std::string out;
  bool blank = false;
  for (size_t i = 0; i < cp932.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(cp932[i]);
    const bool lead = (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
    if (lead && i + 1 < cp932.size()) {
      if (c == 0x81 && static_cast<unsigned char>(cp932[i + 1]) == 0x40) {
        blank = true;
      } else {
        if (blank && !out.empty()) out += ' ';
        blank = false;
        out.append(cp932, i, 2);
      }
      ++i;
    } else if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
      blank = true;
    } else {
      if (blank && !out.empty()) out += ' ';
      blank = false;
      out += static_cast<char>(c);
    }
  }
  return out;
}

std::string ProgramPath(HWND window) {
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  const HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
  if (!process) return std::string();
  char path[MAX_PATH] = {};
  DWORD length = MAX_PATH;
  const bool found = QueryFullProcessImageNameA(process, 0, path, &length);
  CloseHandle(process);
  return found ? std::string(path, length) : std::string();
}

HWND ShownMainWindow() {
  const HWND window = FindWindowA(MAIN_WINDOW_CLASS, nullptr);
  return window && IsWindowVisible(window) ? window : nullptr;
}

// A message box stops the check until someone answers it; nobody is at this
// display, so its words go to the terminal and it is answered as OK. True
// when there was one: the page under it then needs a moment to repaint.
bool AnswerMessageBoxes(HWND window) {
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  bool answered = false;
  for (HWND box : ProcessWindows(processId, "#32770")) {
    if (!IsWindowVisible(box)) continue;
    Print("message box \"" + OneLine(WindowTextOf(box)) + "\": " + OneLine(MessageBoxText(box)) + " [OK]\n");
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    WaitUntil([&] { return !IsWindow(box); }, 5000);
    answered = true;
  }
  return answered;
}

// Which of the program's own pictures the page shows at `at`; 0 for none.
int PictureShown(HWND window, const std::string& program, const int* candidates, int count,
                 const PageRect& at) {
  const Pixels shown = CaptureClient(window, RECT{at.left, at.top, at.right, at.bottom});
  for (int i = 0; i < count; ++i) {
    const Pixels picture = LoadPictureResource(program, candidates[i]);
    if (picture.width > 0 && CountDifferences(shown, picture, at.width(), at.height()) == 0)
      return candidates[i];
  }
  return 0;
}

const char* MarkText(int pictureId) {
  switch (pictureId) {
    case IDB_MARK_DOUBLE_CIRCLE:
      return "◎ ";
    case IDB_MARK_CIRCLE:
      return "○ ";
    case IDB_MARK_CROSS:
    case IDB_MARK_CROSS_CAPTION:
      return "× ";
    default:
      return "";
  }
}

int StartButton(DWORD timeoutMs) {
  HWND window = nullptr;
  const bool shown = WaitUntil(
      [&] {
        window = ShownMainWindow();
        return window && ControlVisible(window, IDC_START_CHECK) && ControlEnabled(window, IDC_START_CHECK);
      },
      timeoutMs);
  if (!shown) {
    PrintError("page_reader: no start page within " + std::to_string(timeoutMs / 1000) + " s\n");
    return 2;
  }
  RECT button = {};
  GetWindowRect(GetDlgItem(window, IDC_START_CHECK), &button);
  Print(std::to_string((button.left + button.right) / 2) + " " + std::to_string((button.top + button.bottom) / 2) +
        "\n");
  return 0;
}

int Verdict(DWORD timeoutMs) {
  HWND window = nullptr;
  const bool shown = WaitUntil(
      [&] {
        window = ShownMainWindow();
        if (!window) return false;
        AnswerMessageBoxes(window);
        return ControlVisible(window, IDC_SAVE_REPORT);
      },
      timeoutMs);
  if (!shown) {
    PrintError("page_reader: no result page within " + std::to_string(timeoutMs / 1000) + " s\n");
    return 2;
  }
  // The retry warning comes up just after the verdict, over the page.
  bool answered = false;
  for (int i = 0; i < 10; ++i) {
    answered = AnswerMessageBoxes(window) || answered;
    Sleep(100);
  }
  if (answered) Sleep(500);
  const std::string program = ProgramPath(window);
  // Where the result page paints the banner and the marks: the rectangles
  // the program is built with.
  using namespace page_layout;
  static const int kBanners[] = {IDB_BANNER_SUITABLE, IDB_BANNER_LIMITED, IDB_BANNER_UNSUITABLE};
  static const int kMarks[] = {IDB_MARK_DOUBLE_CIRCLE, IDB_MARK_CIRCLE, IDB_MARK_CROSS};
  static const int kCpuMarks[] = {IDB_MARK_CROSS_CAPTION};
  int banner = 0;
  // The page may still be painting when the save button shows.
  WaitUntil([&] { return (banner = PictureShown(window, program, kBanners, 3, kBanner)) != 0; }, 5000);
  const int osMark = PictureShown(window, program, kMarks, 3, kOsMark);
  const int memoryMark = PictureShown(window, program, kMarks, 3, kMemoryMark);
  const int displayMark = PictureShown(window, program, kMarks, 3, kGraphicsMark);
  const int cpuMark = PictureShown(window, program, kCpuMarks, 1, kOtherMarkShown);

  std::string meaning;
  switch (banner) {
    case IDB_BANNER_SUITABLE:
      meaning = "◎ fully suitable";
      break;
    case IDB_BANNER_LIMITED:
      meaning = "○ suitable with limits";
      break;
    case IDB_BANNER_UNSUITABLE:
      meaning = "× not suitable";
      break;
    default:
      meaning = "? none of the program's banners";
  }
  Print("判定結果: " + meaning + "\n");
  Print("  OS: " + std::string(MarkText(osMark)) + OneLine(ControlText(window, IDC_OS_NAME)) + " / " +
        OneLine(ControlText(window, IDC_OS_STATUS)) + "\n");
  Print("  メモリ: " + std::string(MarkText(memoryMark)) + OneLine(ControlText(window, IDC_MEMORY_TEXT)) + " / " +
        OneLine(ControlText(window, IDC_MEMORY_STATUS)) + "\n");
  Print("  グラフィック＋ディスプレイ: " + std::string(MarkText(displayMark)) +
        OneLine(ControlText(window, IDC_DISPLAY_MESSAGE)) + "\n");
  const std::string cpu = OneLine(ControlText(window, IDC_CPU_MESSAGE));
  Print("  その他: " + std::string(MarkText(cpuMark)) + (cpu.empty() ? "-" : cpu) + "\n");
  return banner ? 0 : 3;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3) {
    const DWORD timeoutMs = static_cast<DWORD>(std::strtoul(argv[2], nullptr, 10));
    if (std::string(argv[1]) == "start-button") return StartButton(timeoutMs);
    if (std::string(argv[1]) == "verdict") return Verdict(timeoutMs);
  }
  PrintError("usage: page_reader start-button MS | verdict MS\n");
  return 1;
}
