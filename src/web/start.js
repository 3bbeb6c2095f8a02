// The script runs as soon as it has arrived, while the page's stylesheets and pictures may
// still be on their way: the game starts once the page's markup is read, and the controls are
// wired once the game has started (controls.js).
Module['preRun'] = [() => {
  if (document.readyState != 'loading')
    return;
  addRunDependency('markup');
  document.addEventListener('DOMContentLoaded', () => removeRunDependency('markup'));
}];
Module['postRun'] = [() => tessalControls()];
