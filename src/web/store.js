// The browser's side of the saved games' folder: IndexedDB through Emscripten's IDBFS, one
// file at a time.
mergeInto(LibraryManager.library, {
  // IDBFS's files, without its whole-folder sync: Emscripten runs that on every fsync, and a
  // tab opened earlier would write its stale folder over the other tabs' newer saves.
  tessal_mount_store__deps: ['$FS', '$IDBFS'],
  tessal_mount_store: function(folder) {
    const path = UTF8ToString(folder);
    FS.mkdir(path);
    FS.mount({mount: IDBFS.mount}, {}, path);
    // Asks the browser to keep the saves even when it runs short of room.
    if (typeof navigator == 'object' && navigator.storage && navigator.storage.persist)
      navigator.storage.persist();
  },

  // What IndexedDB holds replaces the folder in memory: other tabs' saves come in. IndexedDB
  // is only read: IDBFS's own sync opens it to write even for this, and waits for ever on a
  // transaction aborted under it. A store that the browser has closed, its data cleared, is
  // opened anew and read once more; one that still fails leaves the folder as it is. `done`
  // is told whether the store was read.
  $tessalReadStore__deps: ['$FS', '$IDBFS'],
  $tessalReadStore: function(folder, done) {
    const mount = FS.lookupPath(folder).node.mount;
    const read = (retry) => {
      let ended = false;
      const end = (failed) => {
        if (ended)
          return;
        ended = true;
        if (failed)
          delete IDBFS.dbs[mount.mountpoint];
        failed && retry ? read(false) : done(!failed);
      };
      IDBFS.getLocalSet(mount, (error, local) => {
        if (error) return end(true);
        IDBFS.getRemoteSet(mount, (error, remote) => {
          if (error) return end(true);
          try {
            const reading = remote.db.transaction([IDBFS.DB_STORE_NAME], 'readonly');
            reading.oncomplete = () => end(false);
            reading.onabort = () => end(true);
            const kept = reading.objectStore(IDBFS.DB_STORE_NAME);
            for (const path of Object.keys(remote.entries).sort()) {
              const mine = local.entries[path];
              if (!mine || mine.timestamp.getTime() != remote.entries[path].timestamp.getTime())
                kept.get(path).onsuccess = (event) =>
                    IDBFS.storeLocalEntry(path, event.target.result, () => {});
            }
            for (const path of Object.keys(local.entries).sort().reverse())
              if (!remote.entries[path])
                IDBFS.removeLocalEntry(path, () => {});
          } catch (e) {
            end(true);
          }
        });
      });
    };
    read(true);
  },
  tessal_refresh_store__deps: ['$tessalReadStore'],
  tessal_refresh_store: function(folder) {
    return Asyncify.handleAsync(
        () => new Promise((resolve) => tessalReadStore(UTF8ToString(folder), () => resolve())));
  },

  // The game's other tabs hear of each save kept, to offer it too; a tab does not hear its
  // own. The channel is closed while the page sleeps in the back-forward cache: a message
  // would make the browser drop the page, and the game in it.
  $tessalSavedGames: {
    channel: null,
    listen: function(heard) {
      if (typeof BroadcastChannel != 'function')
        return;
      const open = () => {
        this.channel = new BroadcastChannel('tessal-saved-games');
        this.channel.onmessage = heard;
      };
      open();
      addEventListener('pagehide', () => {
        this.channel.close();
        this.channel = null;
      });
      addEventListener('pageshow', (event) => {
        if (event.persisted) {
          open();
          heard();
        }
      });
    },
    announce: function() {
      if (this.channel)
        this.channel.postMessage('kept');
    },
  },

  // The one file put into IndexedDB with strict durability: done once the browser has it on
  // disk. Returns 0, or the name of the error as a string the caller frees. A store that the
  // browser has closed, its data cleared, is opened anew for the save. A file the browser
  // would not keep goes back, in memory too, to what IndexedDB holds, the earlier save of that
  // name or none (none too where the store cannot be read): the lists show only what is kept.
  tessal_store_file__deps: ['$FS', '$IDBFS', '$tessalSavedGames', '$tessalReadStore'],
  tessal_store_file: function(folder, file) {
    return Asyncify.handleAsync(() => new Promise((resolve) => {
      const mountpoint = UTF8ToString(folder), path = UTF8ToString(file);
      const fail = (error) => {
        const done = () => resolve(allocateUTF8(String((error && error.name) || error)));
        tessalReadStore(mountpoint, (read) => read ? done() : IDBFS.removeLocalEntry(path, done));
      };
      const store = (retry) => IDBFS.getDB(mountpoint, (error, db) => {
        if (error) return fail(error);
        IDBFS.loadLocalEntry(path, (error, entry) => {
          if (error) return fail(error);
          try {
            const transaction =
                db.transaction([IDBFS.DB_STORE_NAME], 'readwrite', {durability: 'strict'});
            transaction.objectStore(IDBFS.DB_STORE_NAME).put(entry, path);
            transaction.oncomplete = () => {
              tessalSavedGames.announce();
              resolve(0);
            };
            transaction.onabort = () => fail(transaction.error);
          } catch (e) {
            if (!retry || e.name != 'InvalidStateError')
              return fail(e);
            delete IDBFS.dbs[mountpoint];
            store(false);
          }
        });
      });
      store(true);
    }));
  },
});
