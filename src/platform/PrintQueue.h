#pragma once

#include <QString>

#include <functional>

// The queue of a printer of the system, asked through the printer library (CUPS):
// whether it takes a job now, and whether it took the job handed to it. A printer
// name may carry an instance ("queue/instance"); the queue is the part before it.
namespace PrintQueue {

// Why the queue takes no job now: it refuses jobs, or it is stopped (a job would
// wait there unprinted), in the words of the queue's state message (the server's
// own English texts for no reason given said in Chinese). Empty when the queue
// takes jobs, or when the server gives no answer.
QString refusal(const QString& printer);

// The words of refusal() for a queue that refuses jobs (`refuses`) or is stopped,
// whose state message is `said`. A stopped queue is said paused ("已暂停"), whoever
// stopped it.
QString refusalWords(bool refuses, const QString& said);

// Runs `end`, which ends a job for `printer` in this thread (QPainter::end on the
// printer: Qt sends the job to the queue there and keeps the outcome to itself),
// and answers why the queue did not take it: the queue's refusal, or the server's
// answer. Empty when the job was taken, or when `end` sent none.
QString handOver(const QString& printer, const std::function<void()>& end);

} // namespace PrintQueue
