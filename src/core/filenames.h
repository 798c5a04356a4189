// File-name parts for window captions and messages.
//
// The file-name part of a path is everything after its last ':', '\\' or
// '/' (Windows accepts '/' as a folder separator too, and none of the three
// can occur inside a file name), or the whole path when it has none.
#pragma once

#include <string>
#include <string_view>

namespace core {

// Caption of a document window that has no file.
inline constexpr std::string_view kUntitledCaption = "Untitled";

// "C:\\dir\\a.txt" -> "a.txt"; "C:a.txt" -> "a.txt"; "a.txt" -> "a.txt".
std::string_view FileNamePart(std::string_view path);

// The caption of a loaded document: the file-name part of `path`; with
// showExtensions off, only the characters before its first '.'
// ("report.final.txt" -> "report"). A name whose cut would leave nothing
// (no name before the first dot, as in ".profile") keeps its whole name, so a
// document window never gets an empty caption; a name without a dot stays
// whole.
std::string DocumentCaption(std::string_view path, bool showExtensions);

// The text after the last '.' of the file-name part, without the dot; empty
// when the name has no dot ("a.tar.gz" -> "gz").
std::string_view FileExtension(std::string_view path);

// `path` with "." + ext appended when its file-name part has no '.' at all,
// else `path` unchanged (a name typed into the save dialog gets "txt").
std::string WithDefaultExtension(std::string_view path, std::string_view ext);

}  // namespace core
