#pragma once
// File-system helpers. Paths are the program's Windows-1252 text; they are
// converted to UTF-8 here, at the edge. Nothing stays open between calls.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/date_time.h"

namespace qlr {

std::string OsPath(std::string_view path);  // the UTF-8 path the system takes

bool FileExists(std::string_view path);  // a regular file (or a link to one)
bool DirExists(std::string_view path);
bool RemoveFile(std::string_view path);                       // false when it could not be deleted
bool RenameFile(std::string_view from, std::string_view to);  // replaces `to`
bool CopyFile(std::string_view from, std::string_view to);    // replaces `to`
// A second name for the file; false where `to` exists or the file system has no links.
bool LinkFile(std::string_view from, std::string_view to);
std::optional<DateTime> LastModified(std::string_view path);

// The whole file; nullopt when it cannot be read.
std::optional<std::string> ReadWholeFile(std::string_view path);
// Lines without their CR LF or LF ends; nullopt when the file cannot be read.
std::optional<std::vector<std::string>> ReadLines(std::string_view path);
// Replaces the file so that a crash leaves the old or the new content, never a
// mix: the text goes to a temporary file in the same folder, is flushed to
// disk, then moved into place. False (and errno set) on failure.
bool WriteFileAtomic(std::string_view path, std::string_view content);
// Creates or truncates the file and writes the content (not atomic).
bool WriteWholeFile(std::string_view path, std::string_view content);
// Appends (creating the file when missing). False on failure.
bool AppendToFile(std::string_view path, std::string_view content);

// Files matching a pattern whose last part may hold "?" and "*"; full paths, sorted.
std::vector<std::string> ListMatching(std::string_view pattern);

// A job name made safe as a file name (trimmed): "/" becomes "_", and "." or
// ".." get a leading "_", so that no job name can reach outside its folder.
std::string SafeFileName(std::string_view job_name);

std::string DirName(std::string_view path);   // up to, not including, the last "/"; "" when none
std::string BaseName(std::string_view path);  // after the last "/"
std::string JoinPath(std::string_view dir, std::string_view name);
bool IsAbsolutePath(std::string_view path);
// A relative path taken from `base_dir`; absolute paths and "" are returned unchanged.
std::string ResolvePath(std::string_view base_dir, std::string_view path);
std::string CurrentDir();
std::string ExecutableDir();  // the folder of the running program
std::string LastErrorText();  // strerror(errno)

}  // namespace qlr

namespace qlr {

// Appends and flushes the content to disk before returning. False on failure.
bool AppendDurably(std::string_view path, std::string_view content);

}  // namespace qlr
