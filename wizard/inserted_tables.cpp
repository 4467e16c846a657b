#include "wizard/inserted_tables.h"

#include <algorithm>

#include "extraction/host_guards.h"

namespace {

InsertedTables* running = nullptr;

void eraseTable(const OvDbObjectId& id) {
  OpenedObject<OvDbObject> table;
  if (table.open(id, Ovis::kForWrite)) table->erase();
}

}  // namespace

InsertedTables::InsertedTables() : previous_(running) { running = this; }

InsertedTables::~InsertedTables() { running = previous_; }

void InsertedTables::inserted(OvDbObjectId table) {
  if (!running) return;
  try {
    running->unlinked_.push_back(table);
  } catch (...) {  // a table the run could not note is not kept either
    eraseTable(table);
    throw;
  }
}

void InsertedTables::linked(OvDbObjectId table) {
  if (running) std::erase(running->unlinked_, table);
}

void InsertedTables::eraseUnlinked() noexcept {
  for (const OvDbObjectId& id : unlinked_) eraseTable(id);
  unlinked_.clear();
}
