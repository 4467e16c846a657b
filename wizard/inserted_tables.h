// The tables one run of the wizard inserts into the drawing. A table is linked to its source
// objects only on Finish; a run that ends normally keeps every table it inserted (a person who
// cancels keeps an unlinked one), but a run that fails takes out again each table it did not
// link whole, so that the drawing never keeps a half-made output.
#pragma once
#include <vector>

#include "platform/host/db_object.h"

class InsertedTables {
public:
  // Begins the run: the tables the wizard inserts from now on are this run's.
  InsertedTables();
  ~InsertedTables();
  InsertedTables(const InsertedTables&) = delete;
  InsertedTables& operator=(const InsertedTables&) = delete;

  // Erases the run's tables that were not linked whole; one that cannot be erased stays.
  void eraseUnlinked() noexcept;

  // What the wizard tells the running run (nothing when the pages run outside a command).
  static void inserted(OvDbObjectId table);
  static void linked(OvDbObjectId table);

private:
  std::vector<OvDbObjectId> unlinked_;
  InsertedTables* previous_;
};
