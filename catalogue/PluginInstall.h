#pragma once
#include <string>
#include <vector>
#include "framework/CodePageText.h"

// The rules for copying plug-ins into the Vis folder and moving them out
// again, which need no window.

// A file the host would load once it is in the Vis folder: its extension is "svp".
bool IsPluginFile(const std::string& path, LeadByteRule isLead = SystemLeadByte);

// The name at the end of a path: the one a file or folder gets in the Vis folder.
std::string LeafName(const std::string& path, LeadByteRule isLead = SystemLeadByte);

// The name directly in the Vis folder that holds a plug-in: the file itself,
// or its sub-folder.
std::string TopLevelName(const std::string& relativePath, LeadByteRule isLead = SystemLeadByte);

// The name a plug-in added to the Vis folder shows when it gives none, as
// the scan names it: its top-level name without extension.
std::string EntryTitle(const std::string& relativePath, LeadByteRule isLead = SystemLeadByte);

// True when one of the Vis folder's top-level names holds the same plug-in
// as name: equal keys (GetPluginKey), whatever their order tags, their
// "_disabled" and their case.
bool IsNameTaken(const std::string& name, const std::vector<std::string>& folderNames,
                 LeadByteRule isLead = SystemLeadByte);

// Where added rows go in: before anchor, or at the end when anchor is not a
// row; never above the built-ins.
int AddedRowIndex(int anchor, int rowCount);

// The paths a multi-select file-open dialog hands back in buffer (NULs
// included): the folder then its names, or one full path.
std::vector<std::string> SplitOpenFileNames(const std::string& buffer, LeadByteRule isLead = SystemLeadByte);

// A copy into the Vis folder is made under name + kCopyingSuffix beside
// its target and then moved onto it, so that a copy cut short never leaves
// half a plug-in under a plug-in's name. The scan passes over such names;
// the next start removes them.
constexpr char kCopyingSuffix[] = ".orbiquel-copy";
std::string CopyingName(const std::string& name);
bool IsCopyingName(const std::string& name, LeadByteRule isLead = SystemLeadByte);

// Where the Add dialog opens: the first of candidates that is given and is
// not ownFolder (Orbiquel's own, where no plug-in comes from); empty when
// none is. Folders compare without case and without a last separator.
std::string FirstFolderBesides(const std::vector<std::string>& candidates, const std::string& ownFolder,
                               LeadByteRule isLead = SystemLeadByte);

// The paths one after another, each ended by a NUL, and a NUL after them
// all, as the shell's file operations take them.
std::string DoubleNulList(const std::vector<std::string>& paths);
