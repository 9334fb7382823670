#import <Foundation/Foundation.h>

@interface Greeter : NSObject
- (void)greet;
@end
