#import "Greeter.h"

// Says hello.
@implementation Greeter
- (void)greet { NSLog(@"hi"); }
@end
