#include "keys/key_export_win.h"

#include <optional>
#include <string>
#include <vector>

#include "base/code_page_win.h"
#include "base/common_dialogs_win.h"
#include "base/file_io_win.h"
#include "keys/key_import.h"
#include "keys/key_text_format.h"

namespace {

const char EXPORT_CAPTION[] = "Export Key Words";
const char IMPORT_CAPTION[] = "Import Key Words";
const char NOT_WRITTEN_TEXT[] = "The key words could not be written to ";
const char NOT_READ_TEXT[] = "The key words could not be read from ";
const char NOT_KEY_TEXT_TEXT[] = "The file holds no key words: its first line is not ";
const char FILE_FILTER[] = "Text files (*.txt)\0*.txt\0All files (*.*)\0*.*\0";
const char DEFAULT_EXTENSION[] = "txt";

OPENFILENAMEA FileRequest(HWND dialog, char (&path)[PATH_BYTES], DWORD flags) {
  OPENFILENAMEA request = FileChooserRequest(dialog, FILE_FILTER, path, sizeof path);
  request.lpstrDefExt = DEFAULT_EXTENSION;
  request.Flags = flags | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
  return request;
}

void ShowFileError(HWND dialog, const char* what, const char* path, DWORD error, const char* caption) {
  const std::string text = what + std::string(path) + ":\n" + SystemErrorText(error);
  MessageBoxA(dialog, text.c_str(), caption, MB_OK | MB_ICONEXCLAMATION);
}

// Asked once for the whole file; none when the user cancels the import.
std::optional<ExistingKeys> AskAboutExistingKeys(HWND dialog, size_t existing) {
  const std::string question = "Your list already has " + std::to_string(existing) +
                               " of the file's key words.\n\nYes: replace them all with the file's.\n"
                               "No: skip them all and keep yours.\nCancel: import nothing.";
  switch (MessageBoxA(dialog, question.c_str(), DUPLICATE_CAPTION, MB_YESNOCANCEL | MB_ICONQUESTION)) {
    case IDYES:
      return ExistingKeys::Replace;
    case IDNO:
      return ExistingKeys::Skip;
    default:
      return std::nullopt;
  }
}

std::string ImportSummary(const KeyImportCounts& counts, size_t unreadableLines) {
  const size_t skipped = counts.skippedBlank + counts.skippedBuiltin + counts.skippedExisting + unreadableLines;
  std::string summary = "Added: " + std::to_string(counts.added) + "\nReplaced: " + std::to_string(counts.replaced) +
                        "\nSkipped: " + std::to_string(skipped);
  if (skipped == 0) return summary;
  summary += ", because";
  const struct {
    size_t count;
    const char* reason;
  } reasons[] = {
      {counts.skippedBlank, "\n- the key is blank: "},
      {counts.skippedBuiltin, "\n- the key is a built-in key word: "},
      {counts.skippedExisting, "\n- the key is already in your list: "},
      {unreadableLines, "\n- the line could not be read: "},
  };
  for (const auto& reason : reasons)
    if (reason.count > 0) summary += reason.reason + std::to_string(reason.count);
  return summary;
}

}  // namespace

void ExportUserKeys(HWND dialog) {
  char path[PATH_BYTES] = "Pellomar key words.txt";
  OPENFILENAMEA request = FileRequest(dialog, path, OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST);
  if (!ChooseFileToSave(&request)) return;
  const std::string text = EncodeKeyText(keyEntryStore, AnsiToUtf8);
  const DWORD error = ReplaceFileContents(path, text.data(), static_cast<DWORD>(text.size()));
  if (error != ERROR_SUCCESS) ShowFileError(dialog, NOT_WRITTEN_TEXT, path, error, EXPORT_CAPTION);
}

void ImportUserKeys(HWND dialog, void (*showEntries)(HWND dialog)) {
  char path[PATH_BYTES] = {};
  OPENFILENAMEA request = FileRequest(dialog, path, OFN_FILEMUSTEXIST);
  if (!ChooseFileToOpen(&request)) return;
  std::vector<uint8_t> file;
  const DWORD error = ReadFileContents(path, file);
  if (error != ERROR_SUCCESS) {
    ShowFileError(dialog, NOT_READ_TEXT, path, error, IMPORT_CAPTION);
    return;
  }
  KeyTextRead read = DecodeKeyText({reinterpret_cast<const char*>(file.data()), file.size()}, Utf8ToAnsi);
  if (!read.isKeyText) {
    const std::string text = NOT_KEY_TEXT_TEXT + ('"' + std::string(KEY_TEXT_HEADER) + "\".");
    MessageBoxA(dialog, text.c_str(), IMPORT_CAPTION, MB_OK | MB_ICONEXCLAMATION);
    return;
  }
  KeyImport import = PlanKeyImport(keyEntryStore, std::move(read.entries));
  std::optional<ExistingKeys> existingKeys = ExistingKeys::Skip;
  if (import.existing > 0) existingKeys = AskAboutExistingKeys(dialog, import.existing);
  if (!existingKeys) return;
  const KeyImportCounts counts = ApplyKeyImport(keyEntryStore, std::move(import), *existingKeys);
  if (counts.added + counts.replaced > 0) showEntries(dialog);
  MessageBoxA(dialog, ImportSummary(counts, read.unreadableLines).c_str(), IMPORT_CAPTION, MB_OK | MB_ICONINFORMATION);
}
