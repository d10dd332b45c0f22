#pragma once

#include <QFileDevice>
#include <QString>

/** Creates the folder and its parents when missing; true when it is a folder afterwards. */
bool ensureFolder(const QString& folder);

/**
 * `permissions` with `added` given to the owner. The "user" flags Qt reports stand for the
 * running user's own access (for root: everything that anyone may do) and are left out, so
 * nothing but the added owner bits changes on the disk.
 */
QFileDevice::Permissions withOwnerPermissions(QFileDevice::Permissions permissions, QFileDevice::Permissions added);

/** Gives every regular file directly in the folder (no subfolders, no symbolic links) owner write permission. */
void makeOwnerWritable(const QString& folder);
