// The player's files in the page's storage (IndexedDB): the data folder is
// mounted on it and filled from it before the game starts; every file
// written, renamed or deleted there marks it for storing, which happens at
// the end of that frame. Storage refused or full: the game plays on with its
// files in memory, and the page says once that they will not be kept.
Module.plimoMountStorage = function(folder, start) {
  FS.mkdirTree(folder);
  var kept = true;
  try {
    FS.mount(IDBFS, {}, folder);
  } catch (e) {
    kept = false;
  }
  var inFolder = function(path) { return typeof path === 'string' && path.startsWith(folder); };
  var dirty = false;
  var storing = false;
  var warned = false;
  var warn = function() {
    if (warned) return;
    warned = true;
    Module.plimoStorageFailed = true;
    var note = document.getElementById('note');
    var line = document.createElement('div');
    line.textContent = 'This browser does not let the page store files: your records will not be kept.';
    if (note) note.appendChild(line);
  };
  var watch = function(name, changes) {
    var original = FS[name];
    FS[name] = function() {
      if (changes.apply(null, arguments)) dirty = true;
      return original.apply(FS, arguments);
    };
  };
  watch('close', function(stream) { return stream && inFolder(stream.path) && (stream.flags & 3) !== 0; });
  watch('rename', function(from) { return inFolder(from); });
  watch('unlink', function(path) { return inFolder(path); });
  Module.plimoFS = FS;
  Module.plimoStoreFiles = function() {
    Module.plimoStoring = kept && (dirty || storing);
    if (!dirty || storing || !kept) return;
    dirty = false;
    storing = true;
    FS.syncfs(false, function(error) {
      storing = false;
      Module.plimoStoring = dirty;
      Module.plimoStored = (Module.plimoStored || 0) + 1;
      if (error) warn();
    });
  };
  var go = function(ok) {
    kept = ok;
    if (!ok) warn();
    start();
  };
  if (!kept || typeof indexedDB === 'undefined' || indexedDB === null) {
    go(false);
    return;
  }
  try {
    FS.syncfs(true, function(error) { go(!error); });
  } catch (e) {
    go(false);
  }
};
