#pragma once
// What a snapshot of a genuine Access file holds, for the side that writes it and the
// side that reads it: one SQLite table per local user table of the file, columns in the
// file's order (text and memo as TEXT, dates as ISO TEXT, numbers as INTEGER or REAL,
// binary columns left out), and this catalogue of every table of the file.
namespace carnelis::access {

// No Access table can take this name: Jet names never hold a full stop.
inline constexpr const char *catalogueTable = "carnelis.catalogue";

// CREATE TABLE "carnelis.catalogue"(
//   name       TEXT NOT NULL,     -- the table's name in the file
//   attributes INTEGER NOT NULL,  -- as DAO's TableDef.Attributes: 0 for an ordinary table
//   rows       INTEGER)           -- rows copied; NULL when the snapshot has no such table
//                                 -- (linked and system tables, a table with only binary
//                                 --  columns, a name SQLite keeps for itself)
inline constexpr const char *catalogueQuery =
    "SELECT name, attributes, rows FROM \"carnelis.catalogue\" ORDER BY rowid";

} // namespace carnelis::access
