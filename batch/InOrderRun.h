#pragma once
// The engine of the runs over many files: items (rows, or the files of a folder tree) are
// handed out in order; those that the library or a copy handles run on a pool of threads (up
// to the core count), each with its own statement of the library, and write into temporaries
// beside their outputs (DurableOutputs); the others (office documents) run on the interface
// thread alone, in their turn. Each item is finished (marked, logged, counted) in item order,
// one that wrote an output only once that output is safely on the disk. While it waits, the
// interface thread turns its event loop, so windows keep painting.
#include <QString>

#include <cstdint>
#include <functional>

// What a pool thread does for one item: writes the item's output into the temporary file
// into, converting through the library statement hStmt. Returns the permissions a new output
// gets before the umask (-1: 0666). Raises a RuntimeError when the item fails. It must not
// touch widgets or program state.
using PoolWork = std::function<int(int32_t hStmt, const QString& into)>;

struct ItemPlan {
    enum class Kind {
        Pool,      // work on a pool thread into output
        Interface, // run on the interface thread in the item's turn
        Settled    // nothing to do: the outcome is failure (null: the item succeeded)
    };
    Kind kind = Kind::Settled;
    PoolWork work;
    QString output;
    std::function<void()> run;
    QString failure;
    bool recorded = false;

    static ItemPlan pool(const QString& output, PoolWork work);
    static ItemPlan onInterface(std::function<void()> run);
    static ItemPlan settled(const QString& failure, bool recorded = false);
};

struct ItemOutcome {
    QString failure;       // null when the item succeeded, else why it failed
    bool recorded = false; // the failure's record is written already (RecordedRowFailure)
    bool succeeded() const { return failure.isNull(); }
};

struct InOrderItems {
    int count = 0;
    // The input the item reads: an item whose input is the output of an earlier item that
    // is not finished yet waits for it.
    std::function<QString(int)> inputOf;
    // The item's plan, asked for in order, ahead of its turn. Failures a plan raises end the
    // run (the items before it are finished first).
    std::function<ItemPlan(int)> plan;
    // Called on the interface thread in order, once for every item.
    std::function<void(int, const ItemOutcome&)> finish;
};

// Runs the items. A RuntimeError (or RecordedRowFailure) of a work or an interface run fails
// that item alone; any other failure, and any failure of plan or finish, ends the run after
// the items before it are finished and is raised again here. Outputs not finished are
// removed.
void RunInOrder(const InOrderItems& items);
